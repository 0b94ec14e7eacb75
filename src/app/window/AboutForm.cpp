#include "app/window/AboutForm.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>

#include "app/window/MainCaptions.h"
#include "settings/Localisation.h"
#include "text/Cp1251.h"
#include "view/QtText.h"

namespace trellan {

namespace {

// The program's name twice, a shadow under the title.
class ShadowTitle final : public QWidget {
public:
    explicit ShadowTitle(QWidget* parent) : QWidget(parent) {
        setObjectName("lblTitle");
        QFont big = font();
        big.setPointSizeF(big.pointSizeF() * 2.4);
        big.setBold(true);
        big.setItalic(true);
        setFont(big);
        setMinimumHeight(QFontMetrics(big).height() + 8);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::TextAntialiasing);
        const QRect box = rect().adjusted(0, 0, -3, -3);
        p.setPen(QColor(150, 150, 150));
        p.drawText(box.translated(3, 3), Qt::AlignCenter, QString::fromLatin1(ProgramName));
        p.setPen(QColor(30, 70, 150));
        p.drawText(box, Qt::AlignCenter, QString::fromLatin1(ProgramName));
    }
};

QLabel* Line(QWidget* parent, const char* name, const std::string& text) {
    auto* label = new QLabel(ToQt(text), parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

AboutForm::AboutForm(Localisation& localisation, const AboutInfo& info, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName("AboutForm");
    std::string title, productVersion, winVersion, ok, mccp, enabled, active;
    {
        Localisation::Batch batch(localisation);
        title = localisation.GetCaption(Section, "Caption", Utf8ToCp1251(" О программе"));
        productVersion = localisation.GetCaption(Section, "ProductVersion", Utf8ToCp1251("Версия"));
        winVersion = localisation.GetCaption(Section, "WinVersion", Utf8ToCp1251("Версия ОС:"));
        ok = localisation.GetCaption(Section, "btnOk", "OK");
        mccp = localisation.GetCaption(Section, "lblMccp", Utf8ToCp1251("Компрессия mccp:"));
        enabled = info.MccpEnabled ? localisation.GetCaption(Section, "MccpEnabled", Utf8ToCp1251("Включена"))
                                   : localisation.GetCaption(Section, "MccpDisabled", Utf8ToCp1251("Выключена"));
        active = info.MccpActive ? localisation.GetCaption(Section, "MccpActive", Utf8ToCp1251("Активна"))
                                 : localisation.GetCaption(Section, "MccpUnactive", Utf8ToCp1251("Неактивна"));
        batch.Finish();
    }
    version_ = productVersion + " " + ProgramVersion;
    system_ = winVersion + " " + info.SystemName;
    compression_ = mccp + " " + enabled + ", " + active;

    setWindowTitle(ToQt(title));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->setSpacing(8);
    layout->addWidget(new ShadowTitle(this));
    layout->addWidget(Line(this, "lblVersion", version_));
    layout->addWidget(Line(this, "lblWinVersion", system_));
    layout->addWidget(Line(this, "lblMccp", compression_));
    layout->addSpacing(8);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* button = buttons->addButton(ToQt(ok), QDialogButtonBox::AcceptRole);
    button->setObjectName("btnOk");
    button->setDefault(true);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::string SystemDisplayName() {
    // The distribution's own name where it gives one (/etc/os-release).
    QString name = QSysInfo::prettyProductName();
    if (name.isEmpty() || name == QLatin1String("Unknown")) name = QSysInfo::kernelType();
    return FromQt(name);
}

}  // namespace trellan
