#pragma once

#include <QDockWidget>
#include <QStringList>

class QLineEdit;
class QPlainTextEdit;

/// The command line of the desktop program, docked at the bottom: a read-only pane with what the
/// shell wrote (errors in red) and a line whose Return hands the command on. Up and Down bring
/// back earlier lines.
class KxCommandDock final : public QDockWidget {
    Q_OBJECT

public:
    /// An empty pane and line.
    explicit KxCommandDock(QWidget* parent = nullptr);

    /// Adds text at the end of the pane, in red when it is an error.
    void append(const QString& text, bool error);
    /// The pane's text, as a person reads it.
    QString text() const;

signals:
    /// The user pressed Return on a line that is not blank.
    void lineEntered(const QString& line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void enter();
    // Moves through the history: -1 towards older lines, +1 towards newer ones.
    void recall(int step);

    QPlainTextEdit* mpPane;
    QLineEdit* mpLine;
    QStringList mHistory;
    // The line of the history shown; the history's length for the line being typed.
    qsizetype mRecalled = 0;
    QString mTyped;
};
