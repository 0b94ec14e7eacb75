// What a new player meets first: the help window on F1, Qt's own buttons in
// Russian, a first window that fits the screen, and texts that are not cut.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QMessageBox>
#include <QScreen>
#include <QTcpServer>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <filesystem>

#include "app/GuiTestSupport.h"
#include "app/config/ConfigCaptions.h"
#include "app/map/MapPage.h"
#include "app/objects/ObjectsPage.h"
#include "app/window/HelpForm.h"
#include "app/window/MainCaptions.h"
#include "app/window/QtTranslations.h"
#include "app/window/StatusPanels.h"
#include "app/window/TrellanForm.h"
#include "net/QtTransport.h"
#include "settings/IniFile.h"
#include "settings/Localisation.h"
#include "text/Cp1251.h"
#include "text/W1251.h"

namespace trellan {
namespace {

using testing::GuiFixture;
using testing::Q;
using testing::ReadFile;
using testing::TempDirectory;
using testing::WriteFile;

const std::filesystem::path kShippedHelp = std::filesystem::path(TRELLAN_SOURCE_DIR) / "packaging" / "help.ru.html";

TEST(WindowPolishTest, F1OpensTheShippedHelpWithTheHomeDirectoryFilledIn) {
    GuiFixture fixture;
    std::filesystem::copy_file(kShippedHelp, fixture.Home / "help.ru.html");
    GuiRunner& runner = fixture.Start();
    TrellanForm& form = runner.Form();
    EXPECT_EQ(form.Menu.nHelpMain->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(runner.Help(), nullptr);

    form.Menu.nHelpMain->trigger();
    ASSERT_NE(runner.Help(), nullptr);
    HelpForm& help = *runner.Help();
    EXPECT_TRUE(help.isVisible());
    EXPECT_FALSE(help.isModal());
    const QString text = help.Browser->toPlainText();
    // Each part the player looks for.
    for (const char* part : {"Первый запуск", "Команды в клиенте", "карта связь", "Карта: мышь и клавиши",
                             "Портал на карте", "Где лежат файлы", "journal.trj"}) {
        EXPECT_TRUE(text.contains(Q(part))) << part;
    }
    EXPECT_TRUE(text.contains(QString::fromStdString(fixture.Home.Path()))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("{home}")));
    EXPECT_FALSE(text.contains(QStringLiteral("Under Construction")));

    // F1 again brings the same window forward.
    help.hide();
    form.Menu.nHelpMain->trigger();
    EXPECT_EQ(runner.Help(), &help);
    EXPECT_TRUE(help.isVisible());
    help.close();
}

TEST(WindowPolishTest, HelpPageFilesAndAMissingPage) {
    EXPECT_EQ(HelpFileName(""), "help.ru.html");
    EXPECT_EQ(HelpFileName("ru"), "help.ru.html");
    EXPECT_EQ(HelpFileName("en"), "help.en.html");
    EXPECT_EQ(HelpFileName("../etc"), "help.ru.html");

    const QString missing = HelpPage("/nonexistent/help.ru.html", "/home/p");
    EXPECT_TRUE(missing.contains(QStringLiteral("/nonexistent/help.ru.html")));
    EXPECT_TRUE(missing.contains(Q("не найдена")));
    EXPECT_TRUE(HelpPage("", "/home/p").contains(Q("не найдена")));

    // The home path goes in as text, not as markup.
    const QString page = HelpPage(kShippedHelp.string(), "/tmp/a<b>&c");
    EXPECT_TRUE(page.contains(QStringLiteral("/tmp/a&lt;b&gt;&amp;c")));
}

TEST(WindowPolishTest, QuestionBoxButtonsAreRussian) {
    testing::App();
    EXPECT_EQ(QtTranslationLocale(""), QStringLiteral("ru"));
    EXPECT_EQ(QtTranslationLocale("ru"), QStringLiteral("ru"));
    EXPECT_EQ(QtTranslationLocale("en"), QString());
    EXPECT_EQ(QtTranslationLocale("de"), QStringLiteral("de"));
    EXPECT_EQ(InstallQtTranslations(*QCoreApplication::instance(), "en"), nullptr);
    EXPECT_EQ(InstallQtTranslations(*QCoreApplication::instance(), "", QStringLiteral("/nonexistent")), nullptr);

    {
        GuiFixture fixture;
        fixture.Start();
        QMessageBox box(QMessageBox::Question, QStringLiteral("Trellan"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), Q("Да"));
        EXPECT_EQ(box.button(QMessageBox::No)->text().remove('&'), Q("Нет"));
        QMessageBox ok(QMessageBox::Information, QStringLiteral("Trellan"), QStringLiteral("!"),
                       QMessageBox::Ok | QMessageBox::Cancel);
        EXPECT_EQ(ok.button(QMessageBox::Cancel)->text().remove('&'), Q("Отмена"));
    }
    // The translation leaves with the window.
    QMessageBox box(QMessageBox::Question, QStringLiteral("Trellan"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Yes"));
}

TEST(WindowPolishTest, QtsTranslatedSocketErrorsComeInTheProgramsCodePage) {
    GuiFixture fixture;
    fixture.Start();  // Qt speaks Russian from here on
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost, 0));
    QtTransport transport;
    std::string error;
    ASSERT_FALSE(transport.Listen("127.0.0.1", taken.serverPort(), error));
    // Qt's Russian text, not its UTF-8 bytes read as Windows-1251.
    EXPECT_TRUE(QString::fromStdString(Cp1251ToUtf8(error)).contains(Q("используется"))) << Cp1251ToUtf8(error);
}

TEST(WindowPolishTest, FirstStartFitsTheScreenAndASavedSizeStands) {
    {
        GuiFixture fixture;
        TrellanForm& form = fixture.Start().Form();
        const QRect available = form.screen()->availableGeometry();
        const QRect frame = form.geometry();
        EXPECT_NEAR(frame.width(), std::max(657, available.width() * 2 / 3), 1);
        EXPECT_NEAR(frame.height(), std::max(444, available.height() * 2 / 3), 1);
        EXPECT_LE(std::abs(frame.center().x() - available.center().x()), 1);
        EXPECT_LE(std::abs(frame.center().y() - available.center().y()), 1);
        EXPECT_TRUE(form.close());
        // What the first run closed with is what the next one opens with.
        const IniFile ini = IniFile::Load(fixture.Home / "trellan.ini");
        EXPECT_EQ(ini.Find("Window", "Width"), std::to_string(frame.width()));
    }
    GuiFixture fixture;
    WriteFile(fixture.Home / "trellan.ini", "[Window]\r\nTop=10\r\nLeft=20\r\nHeight=300\r\nWidth=500\r\n");
    TrellanForm& form = fixture.Start().Form();
    EXPECT_EQ(form.geometry(), QRect(20, 10, 500, 300));
}

TEST(WindowPolishTest, DefaultCaptionIsSpeltRightAndAUsersOwnTextIsKept) {
    EXPECT_EQ(ConfigFormDefault("cbSwapUpDown"), W1251("Инвертировать перемещение по уровням (Ctrl +/-)"));
    // A language.ini written with the old default keeps it: only the default changed.
    TempDirectory home;
    WriteFile(home / "language.ini",
              W1251("[ConfigForm]\r\ncbSwapUpDown=Инвертировать перемещние по уровням (Ctrl +/-)\r\n"));
    Localisation captions(home / "language.ini");
    EXPECT_EQ(captions.GetCaption(ConfigFormSection, "cbSwapUpDown", ConfigFormDefault("cbSwapUpDown")),
              W1251("Инвертировать перемещние по уровням (Ctrl +/-)"));
}

TEST(WindowPolishTest, StatusPanelWidensForItsTextAndTheMouseTestsMoveAlong) {
    GuiFixture fixture;
    TrellanForm& form = fixture.Start().Form();
    StatusPanels& status = *form.Status;
    QFont large = status.font();
    large.setPointSize(large.pointSize() * 2);
    status.setFont(large);
    const std::string tracing = W1251("Трассировка");
    status.SetText(0, tracing);
    const int needed = status.fontMetrics().horizontalAdvance(Q("Трассировка")) + 24;
    ASSERT_GT(needed, StatusPanels::Widths[0]);
    EXPECT_EQ(status.PanelWidth(0), needed);
    EXPECT_EQ(status.PanelLeft(1), needed);
    const int shift = needed - StatusPanels::Widths[0];
    EXPECT_FALSE(status.OverCompression(99));
    EXPECT_TRUE(status.OverCompression(99 + shift));
    EXPECT_TRUE(status.OverLevelIcon(244 + shift));
    // Tracing off empties the text; the panel keeps its width.
    status.SetText(0, "");
    EXPECT_EQ(status.PanelWidth(0), needed);
}

TEST(WindowPolishTest, ObjectsTreeWidensToItsWidestCaptionOnce) {
    GuiFixture fixture;
    TrellanForm& form = fixture.Start().Form();
    form.resize(1200, 600);
    ObjectsPage& page = *form.Objects;
    QTreeWidget& tree = *page.TreeViewObjects;
    auto* root = new QTreeWidgetItem(&tree, QStringList{Q("Предметы")});
    new QTreeWidgetItem(root, QStringList{Q("Старый отшельник в медном фонаре")});
    root->setExpanded(true);
    form.show();
    form.PageControl->setCurrentWidget(&page);
    QApplication::processEvents();
    const int widest = tree.fontMetrics().horizontalAdvance(Q("Старый отшельник в медном фонаре"));
    EXPECT_GT(page.TreeWidth(), widest);
    EXPECT_LE(page.TreeWidth(), page.SplitterObjects->width() * 2 / 5);
    // The player narrows it; it stays narrowed.
    page.SetTreeWidth(100);
    form.PageControl->setCurrentIndex(0);
    form.PageControl->setCurrentWidget(&page);
    QApplication::processEvents();
    EXPECT_EQ(page.TreeWidth(), 100);
    form.close();
}

TEST(WindowPolishTest, ZoneTreeWidensToALongZoneNameOnce) {
    GuiFixture fixture;
    TrellanForm& form = fixture.Start().Form();
    form.resize(1200, 600);
    MapPage& page = *form.Map;
    const int before = page.TreeWidth();
    QTreeWidget& tree = *page.TreeViewZones;
    const QString name = Q("Замок Чёрного Властелина, нижние подземелья");
    new QTreeWidgetItem(tree.topLevelItem(0) != nullptr ? tree.topLevelItem(0) : tree.invisibleRootItem(),
                        QStringList{name});
    tree.expandAll();
    form.show();
    QApplication::processEvents();
    EXPECT_GT(page.TreeWidth(), before);
    EXPECT_GT(page.TreeWidth(), tree.fontMetrics().horizontalAdvance(name));
    EXPECT_LE(page.TreeWidth(), page.SplitterTree->width() * 2 / 5);
    form.close();
}

}  // namespace
}  // namespace trellan
