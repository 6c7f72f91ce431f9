#include "gui/KxUnitsDialog.h"

#include "host/KxHostStatus.h"
#include "host/KxResBuf.h"
#include "host/KxString.h"
#include "host/KxSysVars.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace {

// The precisions run from 0 to 8 places (for fractions, the power of two of the denominator).
constexpr int kMostPlaces = 8;

short variableValue(const char* variable) {
    KxResBuf value;
    if (kxedGetVar(KxString::fromUtf8(variable).kwszPtr(), &value) != kRtNorm) {
        return -1; // matches no choice: the field shows none, and any choice differs
    }
    return value.resval.rint;
}

} // namespace

int KxUnitsDialog::Field::value() const {
    return modes ? modes->currentData().toInt() : places->value();
}

KxUnitsDialog::KxUnitsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Units"));
    new QFormLayout(this);
    addModes("LUNITS", QStringLiteral("Length &type (LUNITS)"), 1,
             {QStringLiteral("Scientific"), QStringLiteral("Decimal"),
              QStringLiteral("Engineering"), QStringLiteral("Architectural"),
              QStringLiteral("Fractional")});
    addPlaces("LUPREC", QStringLiteral("Length &precision (LUPREC)"));
    addModes("AUNITS", QStringLiteral("&Angle type (AUNITS)"), 0,
             {QStringLiteral("Decimal degrees"), QStringLiteral("Degrees/minutes/seconds"),
              QStringLiteral("Gradians"), QStringLiteral("Radians"),
              QStringLiteral("Surveyor's units")});
    addPlaces("AUPREC", QStringLiteral("A&ngle precision (AUPREC)"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    static_cast<QFormLayout*>(layout())->addRow(buttons);
}

QStringList KxUnitsDialog::commands() const {
    QStringList result;
    for (const Field& field : mFields) {
        if (field.value() != field.initial) {
            result.append(QStringLiteral("units %1 %2")
                              .arg(QString::fromLatin1(field.variable))
                              .arg(field.value()));
        }
    }
    return result;
}

void KxUnitsDialog::addModes(const char* variable, const QString& label, int first,
                             const QStringList& names) {
    auto* modes = new QComboBox(this);
    for (int i = 0; i < names.size(); ++i) {
        modes->addItem(QStringLiteral("%1 %2").arg(first + i).arg(names[i]), first + i);
    }
    const short initial = variableValue(variable);
    modes->setCurrentIndex(modes->findData(static_cast<int>(initial)));
    mFields.push_back({variable, initial, modes, nullptr});
    static_cast<QFormLayout*>(layout())->addRow(label, modes);
}

void KxUnitsDialog::addPlaces(const char* variable, const QString& label) {
    auto* places = new QSpinBox(this);
    places->setRange(0, kMostPlaces);
    const short initial = variableValue(variable);
    places->setValue(initial);
    mFields.push_back({variable, initial, nullptr, places});
    static_cast<QFormLayout*>(layout())->addRow(label, places);
}
