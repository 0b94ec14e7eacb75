#include "app/world/SaveLoadForm.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/window/Dialogs.h"
#include "settings/Localisation.h"
#include "settings/MainSettings.h"
#include "storage/MapsDirectory.h"
#include "storage/StorageNames.h"
#include "storage/WorldRename.h"
#include "storage/WorldStorage.h"
#include "text/Cp1251.h"
#include "view/QtText.h"

namespace trellan {

namespace {

constexpr int kNameRole = Qt::UserRole;

std::string ItemName(const QListWidgetItem* item) {
    return item->data(kNameRole).toByteArray().toStdString();
}

// A small globe: every world gets the same picture.
QPixmap GlobePixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF ball(1.5, 1.5, size - 3.0, size - 3.0);
    QRadialGradient sea(ball.center() - QPointF(size / 6.0, size / 6.0), size * 0.7);
    sea.setColorAt(0, QColor(140, 200, 255));
    sea.setColorAt(1, QColor(30, 90, 170));
    p.setPen(QPen(QColor(20, 60, 120), size >= 24 ? 1.5 : 1.0));
    p.setBrush(sea);
    p.drawEllipse(ball);
    // Two continents, then the grid of meridians and parallels over them.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 170, 80));
    const double s = size / 32.0;
    QPainterPath land;
    land.moveTo(8 * s, 9 * s);
    land.cubicTo(13 * s, 5 * s, 17 * s, 8 * s, 15 * s, 13 * s);
    land.cubicTo(13 * s, 17 * s, 10 * s, 20 * s, 7 * s, 16 * s);
    land.closeSubpath();
    land.moveTo(19 * s, 16 * s);
    land.cubicTo(24 * s, 14 * s, 27 * s, 18 * s, 24 * s, 23 * s);
    land.cubicTo(21 * s, 27 * s, 17 * s, 22 * s, 19 * s, 16 * s);
    land.closeSubpath();
    p.setClipRegion(QRegion(ball.toRect(), QRegion::Ellipse));
    p.drawPath(land);
    p.setClipping(false);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(ball.adjusted(ball.width() * 0.3, 0, -ball.width() * 0.3, 0));
    p.drawLine(QPointF(ball.center().x(), ball.top()), QPointF(ball.center().x(), ball.bottom()));
    p.drawLine(QPointF(ball.left(), ball.center().y()), QPointF(ball.right(), ball.center().y()));
    return pixmap;
}

QIcon WorldIcon() {
    QIcon icon;
    icon.addPixmap(GlobePixmap(16));
    icon.addPixmap(GlobePixmap(32));
    icon.addPixmap(GlobePixmap(64));
    return icon;
}

}  // namespace

SaveLoadForm::SaveLoadForm(SaveLoadServices services, SaveLoadMode mode, const std::string& proposed, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      services_(std::move(services)),
      mode_(mode) {
    setObjectName(Section);
    BuildWidgets();
    LocaliseAndFill(mode, proposed);
    SetViewStyle(services_.Settings.ListViewStyle == IconStyle ? IconStyle : ListStyle);
    NameEdited();
    EditName->setFocus();
}

void SaveLoadForm::BuildWidgets() {
    ListViewWorlds = new QListWidget(this);
    ListViewWorlds->setObjectName("ListViewWorlds");
    ListViewWorlds->setContextMenuPolicy(Qt::CustomContextMenu);
    ListViewWorlds->setSelectionMode(QAbstractItemView::SingleSelection);
    // Renaming starts from the menu or with F2, never by a slow click.
    ListViewWorlds->setEditTriggers(QAbstractItemView::EditKeyPressed);
    ListViewWorlds->setMovement(QListView::Static);
    ListViewWorlds->setResizeMode(QListView::Adjust);

    lblName = new QLabel(this);
    lblName->setObjectName("lblName");
    EditName = new QLineEdit(this);
    EditName->setObjectName("EditName");
    lblName->setBuddy(EditName);
    btnOk = new QPushButton(this);
    btnOk->setObjectName("btnOk");
    btnOk->setDefault(true);
    ButtonCancel = new QPushButton(this);
    ButtonCancel->setObjectName("ButtonCancel");

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(lblName);
    nameRow->addWidget(EditName, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(ButtonCancel);
    // Shown only when a world is made because none is open yet (the first
    // start): a new player does not know what a world is.
    lblWhatIsAWorld = new QLabel(this);
    lblWhatIsAWorld->setObjectName("lblWhatIsAWorld");
    lblWhatIsAWorld->setWordWrap(true);
    lblWhatIsAWorld->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblWhatIsAWorld);
    layout->addWidget(ListViewWorlds, 1);
    layout->addLayout(nameRow);
    layout->addLayout(buttons);
    resize(460, 340);

    PopupList = new QMenu(this);
    PopupList->setObjectName("PopupList");
    nSelect = PopupList->addAction(QString());
    nSelect->setObjectName("nSelect");
    PopupList->setDefaultAction(nSelect);
    nView = PopupList->addMenu(QString());
    nView->setObjectName("nView");
    viewGroup_ = new QActionGroup(this);
    nIcons = nView->addAction(QString());
    nIcons->setObjectName("nIcons");
    nList = nView->addAction(QString());
    nList->setObjectName("nList");
    for (QAction* choice : {nIcons, nList}) {
        choice->setCheckable(true);
        viewGroup_->addAction(choice);
    }
    PopupList->addSeparator();
    nRename = PopupList->addAction(QString());
    nRename->setObjectName("nRename");
    nDelete = PopupList->addAction(QString());
    nDelete->setObjectName("nDelete");

    connect(EditName, &QLineEdit::textChanged, this, [this] { NameEdited(); });
    connect(btnOk, &QPushButton::clicked, this, &SaveLoadForm::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &SaveLoadForm::reject);
    connect(ListViewWorlds, &QListWidget::itemClicked, this, [this] { TakeSelectedName(); });
    connect(ListViewWorlds, &QListWidget::itemPressed, this, [this] { TakeSelectedName(); });
    connect(ListViewWorlds, &QListWidget::currentItemChanged, this, [this] { TakeSelectedName(); });
    connect(ListViewWorlds, &QListWidget::itemDoubleClicked, this, [this] {
        TakeSelectedName();
        accept();
    });
    connect(ListViewWorlds, &QListWidget::customContextMenuRequested, this, &SaveLoadForm::ShowMenu);
    connect(ListViewWorlds, &QListWidget::itemChanged, this, &SaveLoadForm::ItemRenamed);
    connect(nSelect, &QAction::triggered, this, &SaveLoadForm::accept);
    connect(nIcons, &QAction::triggered, this, [this] { SetViewStyle(IconStyle); });
    connect(nList, &QAction::triggered, this, [this] { SetViewStyle(ListStyle); });
    connect(nRename, &QAction::triggered, this, &SaveLoadForm::RenameSelected);
    connect(nDelete, &QAction::triggered, this, &SaveLoadForm::DeleteSelected);
}

std::string SaveLoadForm::Text(const char* key, const char* defaultUtf8) const {
    return services_.Captions.GetCaption(Section, key, Utf8ToCp1251(defaultUtf8));
}

void SaveLoadForm::LocaliseAndFill(SaveLoadMode mode, const std::string& proposed) {
    std::string title, ok;
    {
        Localisation::Batch batch(services_.Captions);
        switch (mode) {
            case SaveLoadMode::Load:
                title = Text("LoadCaption", "Загрузить мир...");
                ok = Text("btnOkLoad", "Загрузить");
                break;
            case SaveLoadMode::Save:
                title = Text("SaveAsCaption", "Сохранить мир как...");
                ok = Text("btnOkSave", "Сохранить");
                break;
            case SaveLoadMode::Create:
                title = Text("NewCaption", "Создать новый мир...");
                ok = Text("btnOkNew", "Создать");
                if (services_.OpenWorld.empty()) {
                    lblWhatIsAWorld->setText(ToQt(
                        Text("lblWhatIsAWorld",
                             "Мир - это папка, в которой Trellan хранит карту одного MUD: его зоны, базу объектов и "
                             "настройки соединения. Без мира карта не сохраняется. Назовите мир, например, по имени "
                             "MUD; если отменить, мир будет создан под предложенным именем.")));
                    lblWhatIsAWorld->show();
                }
                break;
        }
        setWindowTitle(ToQt(title));
        btnOk->setText(ToQt(ok));
        lblName->setText(ToQt(Text("lblName", "Имя мира:")));
        ButtonCancel->setText(ToQt(Text("ButtonCancel", "Отмена")));
        nSelect->setText(ToQt(Text("nSelect", "Выбрать")));
        nView->setTitle(ToQt(Text("nView", "Вид")));
        nIcons->setText(ToQt(Text("nIcons", "Значки")));
        nList->setText(ToQt(Text("nList", "Список")));
        nRename->setText(ToQt(Text("nRename", "Переименовать")));
        nDelete->setText(ToQt(Text("nDelete", "Удалить")));
        batch.Finish();
    }

    const QIcon icon = WorldIcon();
    for (const std::string& world : services_.Storage.ListWorlds()) {
        auto* item = new QListWidgetItem(icon, ToQt(world), ListViewWorlds);
        item->setData(kNameRole, QByteArray::fromStdString(world));
        if (world != services_.OpenWorld) item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    EditName->setText(mode == SaveLoadMode::Load ? QString() : ToQt(proposed));
    EditName->selectAll();
}

std::string SaveLoadForm::Name() const {
    return FromQt(EditName->text().trimmed());
}

void SaveLoadForm::SetViewStyle(int style) {
    const bool icons = style == IconStyle;
    services_.Settings.ListViewStyle = icons ? IconStyle : ListStyle;
    (icons ? nIcons : nList)->setChecked(true);
    if (icons) {
        ListViewWorlds->setViewMode(QListView::IconMode);
        ListViewWorlds->setFlow(QListView::LeftToRight);
        ListViewWorlds->setIconSize(QSize(32, 32));
        // Long names wrap under their icon instead of widening the grid.
        ListViewWorlds->setGridSize(QSize(100, 76));
        ListViewWorlds->setSpacing(6);
        ListViewWorlds->setWordWrap(true);
    } else {
        ListViewWorlds->setViewMode(QListView::ListMode);
        ListViewWorlds->setGridSize(QSize());
        ListViewWorlds->setIconSize(QSize(16, 16));
        // Columns that run down, then on to the right.
        ListViewWorlds->setFlow(QListView::TopToBottom);
        ListViewWorlds->setWrapping(true);
        ListViewWorlds->setSpacing(1);
        ListViewWorlds->setWordWrap(false);
    }
    ListViewWorlds->setMovement(QListView::Static);
    ListViewWorlds->setResizeMode(QListView::Adjust);
    ListViewWorlds->doItemsLayout();
}

void SaveLoadForm::NameEdited() {
    const bool named = !EditName->text().trimmed().isEmpty();
    btnOk->setEnabled(named);
    nSelect->setEnabled(named);
}

QListWidgetItem* SaveLoadForm::SelectedItem() const {
    const QList<QListWidgetItem*> selected = ListViewWorlds->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

bool SaveLoadForm::IsOpenWorld(const QListWidgetItem* item) const {
    return !services_.OpenWorld.empty() && ItemName(item) == services_.OpenWorld;
}

void SaveLoadForm::TakeSelectedName() {
    if (QListWidgetItem* item = SelectedItem()) EditName->setText(ToQt(ItemName(item)));
}

void SaveLoadForm::ShowMenu(const QPoint& at) {
    TakeSelectedName();
    QListWidgetItem* item = SelectedItem();
    const bool changeable = item != nullptr && !IsOpenWorld(item);
    nRename->setEnabled(changeable);
    nDelete->setEnabled(changeable);
    PopupList->popup(ListViewWorlds->viewport()->mapToGlobal(at));
}

void SaveLoadForm::accept() {
    if (EditName->text().trimmed().isEmpty()) return;
    bool lossless = false;
    FromQt(EditName->text().trimmed(), &lossless);
    if (!lossless) {
        // The name field keeps what was typed, to be mended.
        services_.Boxes.Error(Text("NameNotCp1251", "В имени мира есть буквы, которых нет в кодировке Windows-1251."));
        EditName->setFocus();
        return;
    }
    QDialog::accept();
}

void SaveLoadForm::RenameSelected() {
    QListWidgetItem* item = SelectedItem();
    if (item == nullptr || IsOpenWorld(item)) return;
    ListViewWorlds->editItem(item);
}

void SaveLoadForm::ItemRenamed(QListWidgetItem* item) {
    if (restoringName_) return;
    const std::string from = ItemName(item);
    bool lossless = false;
    const std::string to = FromQt(item->text().trimmed(), &lossless);
    if (to == from) return;

    std::string error;
    const StorageMessages& messages = services_.Storage.Messages();
    if (!lossless) {
        error = Text("NameNotCp1251", "В имени мира есть буквы, которых нет в кодировке Windows-1251.");
    } else {
        try {
            switch (RenameWorld(MapsDirectory(services_.Home), from, to, messages)) {
                case WorldRenameOutcome::Done:
                    break;
                case WorldRenameOutcome::NameTaken:
                    error = messages.Caption("MainForm", "World", "Мир") + " <" + to + "> " +
                            Text("WorldExistsRename", "уже существует.");
                    break;
                case WorldRenameOutcome::NotFound:
                    error = messages.WorldNotFound(from);
                    break;
                case WorldRenameOutcome::Failed:
                    error = Text("CantRenameWorld", "Не удалось переименовать мир") + " <" + from + ">.";
                    break;
            }
        } catch (const InvalidNameError& refused) {
            error = refused.what();
        }
    }

    restoringName_ = true;
    if (error.empty()) {
        item->setData(kNameRole, QByteArray::fromStdString(to));
        item->setText(ToQt(to));
        if (item->isSelected()) EditName->setText(ToQt(to));
    } else {
        item->setText(ToQt(from));
    }
    restoringName_ = false;
    if (!error.empty()) services_.Boxes.Error(error);
}

void SaveLoadForm::DeleteSelected() {
    QListWidgetItem* item = SelectedItem();
    if (item == nullptr || IsOpenWorld(item)) return;
    // The question names the world that goes, which is the selected one even
    // when the name field was typed over since.
    const std::string world = ItemName(item);
    if (!services_.Boxes.Question(Text("DeleteMessage", "Вы уверены, что хотите удалить мир") + " <" + world + ">?"))
        return;
    bool deleted = false;
    try {
        deleted = services_.Storage.DeleteWorld(world);
    } catch (const InvalidNameError& refused) {
        services_.Boxes.Error(refused.what());
        return;
    }
    if (!deleted) {
        services_.Boxes.Error(services_.Storage.Messages().CantDeleteWorld(world));
        return;
    }
    delete ListViewWorlds->takeItem(ListViewWorlds->row(item));
    ListViewWorlds->clearSelection();
    // A world that is gone cannot be loaded.
    if (mode_ == SaveLoadMode::Load && Name() == world) EditName->clear();
    ListViewWorlds->doItemsLayout();
}

}  // namespace trellan
