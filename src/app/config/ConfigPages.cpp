#include "app/config/ConfigPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/config/ConfigPageParts.h"
#include "app/config/ConfigWidgets.h"
#include "view/QtText.h"
#include "text/W1251.h"
#include "text/ServerCharset.h"

namespace trellan {

namespace {

// Label and field pairs, two to a row: (label, field) in reading order.
void PairRows(QGridLayout& grid, int firstRow, std::initializer_list<std::pair<const char*, const char*>> pairs) {
    int i = 0;
    for (const auto& [label, edit] : pairs) {
        QLabel* caption = Label(label);
        QLineEdit* field = Edit(edit);
        caption->setBuddy(field);
        const int column = (i % 2) * 2;
        grid.addWidget(caption, firstRow + i / 2, column);
        grid.addWidget(field, firstRow + i / 2, column + 1);
        ++i;
    }
    grid.setColumnStretch(1, 1);
    grid.setColumnStretch(3, 1);
}

}  // namespace

void BuildConfigPages(QDialog& dialog, ConfigPages& pages) {
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(8, 8, 8, 8);
    pages.PageControl = new QTabWidget(&dialog);
    pages.PageControl->setObjectName("PageControl");
    for (QWidget* page : {BuildConnectionPage(pages), BuildMovesPage(), BuildAutomaticsPage(pages), BuildMessagesPage(),
                          BuildGeneralPage(pages), BuildFollowingPage(), BuildControlPage(pages), BuildLorePage()}) {
        pages.PageControl->addTab(page, QString());
    }
    layout->addWidget(pages.PageControl, 1);

    auto* buttons = new QDialogButtonBox(&dialog);
    pages.ButtonOk = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    pages.ButtonOk->setObjectName("ButtonOk");
    pages.ButtonOk->setDefault(true);
    pages.ButtonCancel = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    pages.ButtonCancel->setObjectName("ButtonCancel");
    layout->addWidget(buttons);
}

QWidget* BuildConnectionPage(ConfigPages& pages) {
    QVBoxLayout* column = nullptr;
    QWidget* page = Page("TabSheet1", column);
    QGridLayout* grid = nullptr;

    Group("gbClient", column, grid);
    pages.ClientName = Row(*grid, 0, "lblClientName", "edClientName");
    pages.ClientName->setReadOnly(true);
    pages.ClientPort = Row(*grid, 1, "lblClientPort", "edClientPort");
    // Ports go up to 65535: a profile may hold a five-digit one.
    pages.ClientPort->setMaximumWidth(80);
    AcceptDigitsOnly(*pages.ClientPort, 5);

    Group("gbServer", column, grid);
    pages.ServerName = Row(*grid, 0, "lblServerName", "edServerName");
    pages.ServerPort = Row(*grid, 1, "lblServerPort", "edServerPort");
    pages.ServerPort->setMaximumWidth(80);
    AcceptDigitsOnly(*pages.ServerPort, 5);
    // The code page the player picked at the MUD's login; the server's own
    // text reaches the client unchanged whatever is chosen here.
    QLabel* encodingCaption = Label("lblServerEncoding");
    pages.ServerEncoding = new QComboBox;
    pages.ServerEncoding->setObjectName("cbServerEncoding");
    for (ServerCharset charset : {ServerCharset::Windows1251, ServerCharset::Koi8r, ServerCharset::Utf8}) {
        pages.ServerEncoding->addItem(QString::fromLatin1(ServerCharsetName(charset)));
    }
    encodingCaption->setBuddy(pages.ServerEncoding);
    grid->addWidget(encodingCaption, 2, 0);
    grid->addWidget(pages.ServerEncoding, 2, 1);
    pages.ServerNote = new QLabel;
    pages.ServerNote->setObjectName("lblServerNote");
    pages.ServerNote->setWordWrap(true);
    pages.ServerNote->hide();
    grid->addWidget(pages.ServerNote, 3, 0, 1, 2);

    Group("gbProcessing", column, grid);
    grid->addWidget(Check("cbNoDoubleYa"), 0, 0);
    grid->addWidget(Check("cbAddDoubleYa"), 1, 0);
    grid->addWidget(Check("cbAddDoubleYaLor"), 2, 0);

    pages.MccpEnabled = Check("cbMCCPEnabled");
    column->addWidget(pages.MccpEnabled);
    return Finish(page, column);
}

QWidget* BuildMovesPage() {
    QVBoxLayout* column = nullptr;
    QWidget* page = Page("TabSheet2", column);
    QGridLayout* grid = nullptr;
    Group("gbMoves", column, grid);
    PairRows(*grid, 0,
             {{"lblMoveN", "edMoveN"},
              {"lblMoveS", "edMoveS"},
              {"lblMoveW", "edMoveW"},
              {"lblMoveE", "edMoveE"},
              {"lblMoveU", "edMoveU"},
              {"lblMoveD", "edMoveD"},
              {"lblMoveSneak", "edSneakwalk"},
              {"lblMoveFlick", "edFleewalk"}});
    // A MUD takes several words for a move: "n|north|с|север".
    for (const char* move : {"edMoveN", "edMoveS", "edMoveW", "edMoveE", "edMoveU", "edMoveD"}) {
        grid->parentWidget()->findChild<QLineEdit*>(move)->setToolTip(
            ToQt(W1251("Несколько слов через \"|\": первое посылается на сервер, любое узнаётся, когда его набирает игрок")));
    }

    Group("gbTracing", column, grid);
    Row(*grid, 0, "lblTraceStart", "edLook");
    Row(*grid, 1, "lblTraceStop", "edStopTrace");
    Row(*grid, 2, "lblTraceClear", "edClear");
    return Finish(page, column);
}

QWidget* BuildAutomaticsPage(ConfigPages& pages) {
    QVBoxLayout* column = nullptr;
    QWidget* page = Page("TabSheet3", column);
    QGridLayout* grid = nullptr;

    // Start and end markers side by side, in the escape notation.
    Group("gbRoom", column, grid);
    const auto markers = [&grid](int row, const char* label, const char* start, const char* end) {
        QLabel* caption = Label(label);
        QLineEdit* from = Edit(start);
        QLineEdit* to = Edit(end);
        caption->setBuddy(from);
        grid->addWidget(caption, row, 0);
        grid->addWidget(from, row, 1);
        grid->addWidget(to, row, 2);
        return std::pair{caption, std::pair{from, to}};
    };
    markers(0, "lblRoomName", "edRoomNameStart", "edRoomNameEnd");
    markers(1, "lblAutoexits", "edAutoexitStart", "edAutoexitEnd");
    pages.UsePromptExit = Check("cbUsePromptExit");
    grid->addWidget(pages.UsePromptExit, 2, 0, 1, 3);
    const auto prompt = markers(3, "lblPromptExits", "edPromptExitStart", "edPromptExitEnd");
    pages.PromptExitLabel = prompt.first;
    pages.PromptExitStart = prompt.second.first;
    pages.PromptExitEnd = prompt.second.second;
    Row(*grid, 4, "lblPromptExitLetters", "edPromptExitLetters", 2);

    Group("gbAutoexits", column, grid);
    PairRows(*grid, 0,
             {{"lblExitN", "edExitWordN"},
              {"lblExitS", "edExitWordS"},
              {"lblExitW", "edExitWordW"},
              {"lblExitE", "edExitWordE"},
              {"lblExitU", "edExitWordU"},
              {"lblExitD", "edExitWordD"}});
    pages.ExitWizard = new QPushButton(QStringLiteral("..."));
    pages.ExitWizard->setObjectName("btnExitWizard");
    pages.ExitWizard->setMaximumWidth(32);
    grid->addWidget(pages.ExitWizard, 0, 4);
    const char* const words[] = {"edExitWordN", "edExitWordS", "edExitWordW",
                                 "edExitWordE", "edExitWordU", "edExitWordD"};
    for (int d = 0; d < 6; ++d) pages.ExitWords[d] = grid->parentWidget()->findChild<QLineEdit*>(words[d]);
    grid->addWidget(Check("cbExitsIgnoreCase"), 3, 0, 1, 5);

    Group("gbDark", column, grid);
    Row(*grid, 0, "lblDarkHere", "edDark");
    Row(*grid, 1, "lblNoExits", "edNoExits");
    grid->addWidget(Memo("edDarkList", 3), 2, 0, 1, 2);
    return Finish(page, column);
}

QWidget* BuildMessagesPage() {
    QVBoxLayout* column = nullptr;
    QWidget* page = Page("TabSheet4", column);
    QGridLayout* grid = nullptr;
    Group("gbMoveUnabled", column, grid);
    grid->addWidget(Memo("edCantMove", 8), 0, 0);
    Group("gbFlick", column, grid);
    Row(*grid, 0, "lblFlickMsg", "edRetreat");
    return Finish(page, column);
}

}  // namespace trellan
