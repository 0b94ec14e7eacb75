// The pages "Общие", "Следование", "Управление" and "Познание".
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/config/ConfigPageParts.h"
#include "app/config/ConfigPages.h"
#include "app/config/ConfigWidgets.h"

namespace trellan {

namespace {

QPushButton* Button(const char* name, const QString& text = QString()) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    return button;
}

}  // namespace

QWidget* BuildGeneralPage(ConfigPages& pages) {
    QVBoxLayout* column = nullptr;
    QWidget* page = Page("TabSheet5", column);
    QGridLayout* grid = nullptr;

    auto* top = new QHBoxLayout;
    column->addLayout(top);
    Group("gbBackground", nullptr, grid);
    QWidget* background = grid->parentWidget();
    pages.Color = Button("btnColor");
    pages.Texture = new QComboBox;
    pages.Texture->setObjectName("cbTexture");
    QLabel* texture = Label("lblTexture");
    texture->setBuddy(pages.Texture);
    pages.Preview = new ColorPreview;
    pages.Preview->setObjectName("PanelPreview");
    grid->addWidget(pages.Color, 0, 0);
    grid->addWidget(texture, 1, 0);
    grid->addWidget(pages.Texture, 2, 0);
    grid->addWidget(pages.Preview, 0, 1, 3, 1);
    grid->setColumnStretch(1, 1);
    top->addWidget(background, 1);

    QGroupBox* scroll = Group("ScrollMult", nullptr, grid);
    pages.ScrollMult = new QButtonGroup(scroll);
    for (int i = 0; i < 5; ++i) {
        auto* factor = new QRadioButton(QStringLiteral("x%1").arg(1 << i));
        factor->setObjectName(QStringLiteral("rbScrollMult%1").arg(1 << i));
        pages.ScrollMult->addButton(factor, i);
        grid->addWidget(factor, i % 3, i / 3);
    }
    top->addWidget(scroll);

    Group("gbFeatures", column, grid);
    pages.NoTransparency = Check("cbNoTransp");
    int row = 0;
    for (QCheckBox* box : {pages.NoTransparency, Check("cbRepos"), Check("cbShowTopLevel"), Check("cbShowBottomLevel"),
                           Check("cbSwapUpDown"), Check("cbShowNote")}) {
        grid->addWidget(box, row / 2, row % 2);
        ++row;
    }

    Group("gbSkin", column, grid);
    pages.SkinLabel = Label("lblSkinFile");
    pages.SkinFile = Edit("edSkinFile");
    pages.SkinLabel->setBuddy(pages.SkinFile);
    pages.SkinChoose = Button("btnSkinFile", QStringLiteral("..."));
    pages.SkinChoose->setMaximumWidth(32);
    pages.NoSkin = Button("btnNoSkin");
    auto* file = new QHBoxLayout;
    file->addWidget(pages.SkinFile, 1);
    file->addWidget(pages.SkinChoose);
    file->addWidget(pages.NoSkin);
    grid->addWidget(pages.SkinLabel, 0, 0);
    grid->addLayout(file, 0, 1);

    pages.RoomColorFrom = new ColorSwatch;
    pages.RoomColorFrom->setObjectName("btnRoomColorFrom");
    pages.RoomColorTo = new ColorSwatch;
    pages.RoomColorTo->setObjectName("btnRoomColorTo");
    pages.ReplaceColor = Button("btnReplaceColor");
    auto* colors = new QHBoxLayout;
    colors->setSpacing(6);
    colors->addWidget(pages.RoomColorFrom);
    colors->addWidget(Label("lblColorTo"));
    colors->addWidget(pages.RoomColorTo);
    colors->addWidget(pages.ReplaceColor);
    colors->addStretch(1);
    grid->addWidget(Label("lblRoomColors"), 1, 0);
    grid->addLayout(colors, 1, 1);
    grid->setColumnStretch(1, 1);
    return Finish(page, column);
}

QWidget* BuildFollowingPage() {
    QVBoxLayout* column = nullptr;
    QWidget* page = Page("TabSheet6", column);
    QGridLayout* grid = nullptr;

    Group("gbLeader", column, grid);
    grid->addWidget(Label("lblLeaderMoves"), 0, 0, 1, 4);
    grid->addWidget(Memo("edLeaderMoves", 4), 1, 0, 1, 4);
    const char* const labels[] = {"lblLeaderN", "lblLeaderS", "lblLeaderW", "lblLeaderE", "lblLeaderU", "lblLeaderD"};
    const char* const edits[] = {"edLeaderN", "edLeaderS", "edLeaderW", "edLeaderE", "edLeaderU", "edLeaderD"};
    for (int i = 0; i < 6; ++i) {
        QLabel* caption = Label(labels[i]);
        QLineEdit* field = Edit(edits[i]);
        caption->setBuddy(field);
        grid->addWidget(caption, 2 + i / 2, (i % 2) * 2);
        grid->addWidget(field, 2 + i / 2, (i % 2) * 2 + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    Group("gbFollow", column, grid);
    Row(*grid, 0, "lblFollow", "edFollow");
    grid->addWidget(Check("cbFollowLine"), 1, 0, 1, 2);
    return Finish(page, column);
}

QWidget* BuildControlPage(ConfigPages& pages) {
    QVBoxLayout* column = nullptr;
    QWidget* page = Page("TabSheet7", column);
    QGridLayout* grid = nullptr;

    Group("gbWalkMode", column, grid);
    Row(*grid, 0, "lblWalkOn", "edReadOnlyOn");
    Row(*grid, 1, "lblWalkOff", "edReadOnlyOff");

    Group("gbSppedWalk", column, grid);
    Row(*grid, 0, "lblGoTo", "edSpeedwalk", 2);
    Row(*grid, 1, "lblReturn", "edReturnwalk", 2);
    pages.StepCount = Row(*grid, 2, "lblStepCount", "edSpeedWalkLength");
    pages.MaxSteps = Row(*grid, 3, "lblMaxSteps", "edMaxSpeedWalkLength");
    for (QLineEdit* steps : {pages.StepCount, pages.MaxSteps}) steps->setMaximumWidth(60);
    AcceptDigitsOnly(*pages.StepCount, 2);
    AcceptDigitsOnly(*pages.MaxSteps, 3);
    grid->setColumnStretch(2, 1);

    Group("gbGroupMsg", column, grid);
    Row(*grid, 0, "lblGroupTell", "edGroupTell");
    Row(*grid, 1, "lblClanTell", "edClanTell");
    Row(*grid, 2, "lblGroupLore", "edGroupLore");
    Row(*grid, 3, "lblClanLore", "edClanLore");
    Row(*grid, 4, "lblSetAlias", "edSetAlias");
    Row(*grid, 5, "lblMapCommand", "edMapCommand");
    return Finish(page, column);
}

QWidget* BuildLorePage() {
    QVBoxLayout* column = nullptr;
    QWidget* page = Page("TabSheet8", column);
    QGridLayout* grid = nullptr;
    const auto objectKind = [&](const char* group, const char* templateLabel, const char* templateEdit,
                                const char* orderLabel, const char* orderEdit) {
        Group(group, column, grid);
        QLabel* caption = Label(templateLabel);
        QPlainTextEdit* memo = Memo(templateEdit, 4);
        caption->setBuddy(memo);
        grid->addWidget(caption, 0, 0, 1, 2);
        grid->addWidget(memo, 1, 0, 1, 2);
        Row(*grid, 2, orderLabel, orderEdit);
    };
    objectKind("gbItems", "lblTemplate", "edStuffTem", "lblOrder", "edStuffSeq");
    objectKind("gbMOBs", "lblMobTemplate", "edMobTem", "lblMobOrder", "edMobSeq");
    Group("gbRequestObj", column, grid);
    Row(*grid, 0, "lblRequestCommand", "edRequestCommand");
    return Finish(page, column);
}

}  // namespace trellan
