#pragma once

#include <QDialog>
#include <QStringList>

#include <vector>

class QComboBox;
class QSpinBox;

/// The units of the drawing (the system variables LUNITS, LUPREC, AUNITS and AUPREC), filled in
/// from their values. The dialog changes nothing itself: it gives the shell's commands that apply
/// what was chosen.
class KxUnitsDialog final : public QDialog {
    Q_OBJECT

public:
    /// The fields, each showing its variable's value.
    explicit KxUnitsDialog(QWidget* parent = nullptr);

    /// The shell's commands ("units LUNITS 4") for each field whose value differs from its
    /// variable's, in the order LUNITS, LUPREC, AUNITS, AUPREC.
    QStringList commands() const;

private:
    struct Field {
        const char* variable;
        short initial;
        QComboBox* modes; // for the unit modes
        QSpinBox* places; // for the precisions
        int value() const;
    };
    void addModes(const char* variable, const QString& label, int first, const QStringList& names);
    void addPlaces(const char* variable, const QString& label);

    std::vector<Field> mFields;
};
