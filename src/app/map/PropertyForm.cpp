#include "app/map/PropertyForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/map/AutomapList.h"
#include "mapping/Directions.h"
#include "mapping/Linker.h"
#include "mapping/MappingConfig.h"
#include "mapping/RoomEdits.h"
#include "model/World.h"
#include "settings/Localisation.h"
#include "settings/MainSettings.h"
#include "text/Cp1251.h"
#include "text/TextUtils.h"
#include "view/MapPainter.h"
#include "view/QtText.h"
#include "view/RoomPainter.h"
#include "view/SkinSet.h"

namespace trellan {

namespace {

// Multi-line texts keep CR LF between lines, as the zone files do.
QString LinesToQt(const std::string& text) {
    return ToQt(ReplaceAll(text, "\r\n", "\n"));
}

std::string LinesFromQt(const QString& text) {
    return ReplaceAll(FromQt(text), "\n", "\r\n");
}

// The preview: the room on the map's background, painted as the map paints.
class PreviewPanel final : public QWidget {
public:
    PreviewPanel(const RoomEditContext& context, const MudRoom& room, QWidget* parent)
        : QWidget(parent), context_(context), room_(room) {
        setObjectName("RoomPreview");
        const int side = context_.Skins.CellSize() * 2;
        setFixedSize(side, side);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QImage image(size(), QImage::Format_RGB32);
        MapCanvas canvas(image);
        PaintBackground(canvas, PaintOptionsOf(context_.Settings));
        const SkinSet& skins = context_.Skins;
        const RoomPaintContext paint{skins.Active(),
                                     skins.IconPoint,
                                     skins.FillPoint,
                                     context_.Config.Dark,
                                     context_.Config.DirectionPhrases,
                                     ViewOrigin{room_.DX, room_.DY, room_.DL}};
        PaintRoom(canvas, room_, paint);
        QPainter(this).drawImage(0, 0, image);
    }

private:
    RoomEditContext context_;
    const MudRoom& room_;
};

}  // namespace

PropertyForm::PropertyForm(const RoomEditContext& context, MudRoom& room, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), context_(context), room_(room) {
    setObjectName("PropertyForm");
    preview_.Pipe = room_.Pipe;
    preview_.ImageIndex = room_.ImageIndex;
    preview_.BColor = room_.BColor;
    preview_.SetExits(room_.Exits(), context_.Config.Words);
    preview_.Hint = room_.Hint;

    Localisation::Batch batch(context_.Captions);
    setWindowTitle(Text("Caption", "Свойства поля") + ToQt(" #" + std::to_string(room_.Tag)));
    auto* layout = new QVBoxLayout(this);
    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    auto* main = new QWidget(PageControl);
    main->setObjectName("TabSheet1");
    auto* more = new QWidget(PageControl);
    more->setObjectName("TabSheet2");
    PageControl->addTab(main, Text("TabSheet1", "Основные"));
    PageControl->addTab(more, Text("TabSheet2", "Дополнительные"));
    layout->addWidget(PageControl);
    BuildMainPage(main);
    BuildMorePage(more);

    auto* buttons = new QDialogButtonBox(this);
    btnOk = buttons->addButton(Text("btnOk", "OK"), QDialogButtonBox::AcceptRole);
    btnOk->setObjectName("btnOk");
    btnOk->setDefault(true);
    btnCancel = buttons->addButton(Text("btnCancel", "Отмена"), QDialogButtonBox::RejectRole);
    btnCancel->setObjectName("btnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    batch.Finish();

    automaps_ = std::make_unique<AutomapList>(context_, *lvAutomap, preview_, room_);
    automaps_->LinksChanged = [this] {
        RefreshLetters();
        RoomPreview->update();
    };
    Fill();
    Connect();
    PageControl->setCurrentIndex(0);
}

PropertyForm::~PropertyForm() = default;

QString PropertyForm::Text(const char* key, const char* utf8Default) const {
    return ToQt(context_.Captions.GetCaption(Section, key, Utf8ToCp1251(utf8Default)));
}

void PropertyForm::BuildMainPage(QWidget* page) {
    auto* grid = new QGridLayout(page);
    const auto label = [&](const char* key, const char* utf8, QWidget* buddy) {
        auto* shown = new QLabel(Text(key, utf8), page);
        shown->setObjectName(key);
        shown->setBuddy(buddy);
        return shown;
    };
    edName = new QLineEdit(page);
    edName->setObjectName("edName");
    grid->addWidget(label("lblName", "Имя:", edName), 0, 0);
    grid->addWidget(edName, 0, 1, 1, 5);
    memoDescription = new QPlainTextEdit(page);
    memoDescription->setObjectName("memoDescription");
    grid->addWidget(label("lblDescription", "Описание:", memoDescription), 1, 0, 1, 6);
    grid->addWidget(memoDescription, 2, 0, 1, 6);

    edAlias = new QLineEdit(page);
    edAlias->setObjectName("edAlias");
    edExits = new QLineEdit(page);
    edExits->setObjectName("edExits");
    edChecked = new QLineEdit(page);
    edChecked->setObjectName("edChecked");
    edChecked->setMaxLength(12);
    grid->addWidget(label("lblAlias", "Алиас ", edAlias), 3, 0);
    grid->addWidget(edAlias, 3, 1);
    grid->addWidget(label("lblExits", "Выходы:", edExits), 3, 2);
    grid->addWidget(edExits, 3, 3);
    grid->addWidget(label("lblChecked", "проверенные:", edChecked), 3, 4);
    grid->addWidget(edChecked, 3, 5);

    auto* colour = new QVBoxLayout;
    btnColor = new QPushButton(Text("btnColor", "Цвет ..."), page);
    btnColor->setObjectName("btnColor");
    colour->addWidget(btnColor);
    RoomPreview = new PreviewPanel(context_, preview_, page);
    colour->addWidget(RoomPreview, 0, Qt::AlignHCenter);
    colour->addStretch();
    grid->addLayout(colour, 4, 0, 1, 2);

    auto* marks = new QVBoxLayout;
    const auto box = [&](const char* key, const char* utf8) {
        auto* check = new QCheckBox(Text(key, utf8), page);
        check->setObjectName(key);
        marks->addWidget(check);
        return check;
    };
    cbDT = box("cbDT", "ДТ");
    cbFlyDT = box("cbFlyDT", "Флай ДТ");
    cbAgro = box("cbAgro", "Агромобская");
    cbNoStep = box("cbNoStep", "Непроходимая");
    marks->addStretch();
    grid->addLayout(marks, 4, 2, 1, 2);

    auto* picture = new QVBoxLayout;
    cbPicture = new QComboBox(page);
    cbPicture->setObjectName("cbPicture");
    picture->addWidget(label("lblPicture", "Картинка", cbPicture));
    const ImageList& icons = context_.Skins.Slot(0).Icons;
    cbPicture->setIconSize(QSize(icons.Width(), icons.Height()));
    QPixmap blank(icons.Width(), icons.Height());
    blank.fill(Qt::transparent);
    const int lines = std::max(icons.Count(), room_.ImageIndex + 1);
    for (int k = 0; k < lines; ++k) {
        cbPicture->addItem(k == 0 || k >= icons.Count() ? QIcon(blank) : QIcon(icons.ToPixmap(k)), QString());
    }
    picture->addWidget(cbPicture);
    picture->addStretch();
    grid->addLayout(picture, 4, 4, 1, 2);
    grid->setRowStretch(2, 1);
}

void PropertyForm::BuildMorePage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    auto* note = new QLabel(Text("lblNote", "Примечание:"), page);
    note->setObjectName("lblNote");
    layout->addWidget(note);
    memoNote = new QPlainTextEdit(page);
    memoNote->setObjectName("memoNote");
    layout->addWidget(memoNote, 1);
    auto* automap = new QLabel(Text("lblAutomap", "Автозагрузка зон / автоматические команды"), page);
    automap->setObjectName("lblAutomap");
    layout->addWidget(automap);
    lvAutomap = new QTreeWidget(page);
    lvAutomap->setObjectName("lvAutomap");
    lvAutomap->setRootIsDecorated(false);
    lvAutomap->setHeaderLabels({Text("AuomapColumn1", "Карта"), Text("AuomapColumn2", "Выход"),
                                Text("AuomapColumn3", "Поле"), Text("AuomapColumn4", "Команда")});
    lvAutomap->header()->setStretchLastSection(true);
    lvAutomap->setColumnWidth(0, 140);
    lvAutomap->setColumnWidth(1, 100);
    lvAutomap->setColumnWidth(2, 50);
    lvAutomap->setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto item = [&](const char* key, const char* utf8, const QKeySequence& shortcut) {
        auto* action = new QAction(Text(key, utf8), lvAutomap);
        action->setObjectName(key);
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WidgetShortcut);
        lvAutomap->addAction(action);
        return action;
    };
    QAction* edit = item("NEdit", "Изменить  ", QKeySequence(Qt::Key_Return));
    QAction* add = item("NAdd", "Добавить", QKeySequence(Qt::Key_Insert));
    QAction* del = item("NDel", "Удалить", QKeySequence(Qt::Key_Delete));
    connect(edit, &QAction::triggered, this, [this] { automaps_->EditEntry(); });
    connect(add, &QAction::triggered, this, [this] { automaps_->AddEntry(); });
    connect(del, &QAction::triggered, this, [this] { automaps_->DeleteEntry(); });
    connect(lvAutomap, &QTreeWidget::itemDoubleClicked, this, [this] { automaps_->EditEntry(); });
    layout->addWidget(lvAutomap, 1);
    auto* warning = new QLabel(
        Text("lblWarning", "Внимание! Изменения, сделанные в списке автозагрузки зон применяются сразу."), page);
    warning->setObjectName("lblWarning");
    warning->setWordWrap(true);
    QFont bold = warning->font();
    bold.setBold(true);
    warning->setFont(bold);
    warning->setStyleSheet(QStringLiteral("color: red"));
    layout->addWidget(warning);
}

void PropertyForm::Fill() {
    room_.Checked = false;
    edName->setText(ToQt(room_.Hint));
    memoDescription->setPlainText(LinesToQt(room_.Description));
    memoNote->setPlainText(LinesToQt(room_.Note));
    edAlias->setText(ToQt(room_.QuickList));
    edExits->setText(ToQt(room_.Exits()));
    edChecked->setText(ToQt(LinkLetters(room_)));
    SetLinksFromLetters(preview_, LinkLetters(room_));
    preview_.Description = room_.Description;
    preview_.Note = room_.Note;
    SetMark(preview_, MarkOf(room_));
    ShowMarks(MarkOf(room_));
    cbPicture->setCurrentIndex(room_.ImageIndex);
}

void PropertyForm::Connect() {
    connect(edName, &QLineEdit::textChanged, this, [this](const QString& text) {
        preview_.Hint = FromQt(text);
        RoomPreview->update();
    });
    connect(memoDescription, &QPlainTextEdit::textChanged, this,
            [this] { preview_.Description = LinesFromQt(memoDescription->toPlainText()); });
    connect(memoNote, &QPlainTextEdit::textChanged, this,
            [this] { preview_.Note = LinesFromQt(memoNote->toPlainText()); });
    connect(edExits, &QLineEdit::textChanged, this, [this](const QString& text) {
        preview_.SetExits(FromQt(text), context_.Config.Words);
        RoomPreview->update();
    });
    connect(edChecked, &QLineEdit::textEdited, this, [this](const QString& text) {
        // The letters are Latin capitals; a lower-case letter would read as
        // a removed link and take its corridor with it.
        if (text != text.toUpper()) {
            const int cursor = edChecked->cursorPosition();
            edChecked->setText(text.toUpper());
            edChecked->setCursorPosition(cursor);
        }
    });
    connect(edChecked, &QLineEdit::textChanged, this, [this](const QString& text) {
        SetLinksFromLetters(preview_, FromQt(text));
        RoomPreview->update();
    });
    connect(btnColor, &QPushButton::clicked, this, [this] { ChooseRoomColor(); });
    const QCheckBox* boxes[] = {cbDT, cbFlyDT, cbAgro, cbNoStep};
    for (int mark = 1; mark <= 4; ++mark) {
        connect(boxes[mark - 1], &QCheckBox::toggled, this, [this, mark](bool on) { MarkTicked(mark, on); });
    }
    connect(cbPicture, &QComboBox::currentIndexChanged, this, [this](int index) { PictureChosen(index); });
}

void PropertyForm::ShowMarks(int mark) {
    const bool was = syncing_;
    syncing_ = true;
    QCheckBox* boxes[] = {cbDT, cbFlyDT, cbAgro, cbNoStep};
    for (int m = 1; m <= 4; ++m) boxes[m - 1]->setChecked(m == mark);
    syncing_ = was;
}

void PropertyForm::MarkTicked(int mark, bool ticked) {
    if (syncing_) return;
    const int shown = ticked ? mark : 0;
    ShowMarks(shown);
    SetMark(preview_, shown);
    preview_.ImageIndex = shown;
    syncing_ = true;
    cbPicture->setCurrentIndex(shown);
    syncing_ = false;
    RoomPreview->update();
}

void PropertyForm::PictureChosen(int index) {
    if (syncing_ || index < 0) return;
    const int mark = index >= 1 && index <= 4 ? index : 0;
    ShowMarks(mark);
    SetMark(preview_, mark);
    preview_.ImageIndex = index;
    RoomPreview->update();
}

void PropertyForm::ChooseRoomColor() {
    const std::optional<std::uint32_t> colour =
        PickColor ? PickColor(preview_.BColor) : PickColorWithDialog(preview_.BColor);
    if (!colour) return;
    preview_.BColor = *colour;
    RoomPreview->update();
}

void PropertyForm::RefreshLetters() {
    edChecked->setText(ToQt(LinkLetters(preview_)));
}

bool PropertyForm::ApplyToRoom() {
    World& world = context_.TheWorld;
    world.MapSaved = false;
    world.NoteRoomChanged(&room_);
    room_.Pipe = preview_.Pipe;
    SetMark(room_, MarkOf(preview_));
    room_.BColor = preview_.BColor;
    room_.ImageIndex = preview_.ImageIndex;
    room_.Note = preview_.Note;
    world.SetRoomText(&room_, FromQt(edName->text()), WithoutTrailingLineBreaks(preview_.Description), preview_.Exits(),
                      context_.Config.Words);

    const bool hadAlias = !room_.QuickList.empty();
    const std::string alias = FromQt(edAlias->text());
    world.SetRoomAlias(&room_, alias);

    const std::string letters = FromQt(edChecked->text());
    for (Direction direction : {Direction::North, Direction::South, Direction::West, Direction::East}) {
        if (room_.Link(direction) && letters.find(Letter(direction)) == std::string::npos) {
            // A profile may leave a movement command empty; the phrase then names the direction.
            const std::string& command = context_.Config.MoveCommands[Index(direction)];
            context_.Links.DeleteLink(&room_, CommandDirection(command, context_.Config) == direction
                                                  ? command
                                                  : context_.Config.DirectionPhrases[Index(direction)]);
        }
    }
    SetLinksFromLetters(room_, letters);
    world.NoteRoomEdited(&room_);
    return !hadAlias && !alias.empty();
}

}  // namespace trellan
