#include "gui/KxCommandDock.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

// Enough for any session a person reads back; older lines go first.
constexpr int kKeptLines = 10000;

} // namespace

KxCommandDock::KxCommandDock(QWidget* parent)
    : QDockWidget(QStringLiteral("Command line"), parent) {
    setObjectName(QStringLiteral("KxCommandLine"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    mpPane = new QPlainTextEdit(body);
    mpPane->setReadOnly(true);
    mpPane->setMaximumBlockCount(kKeptLines);
    // The palette's tables and the shell's listings line up in columns.
    mpPane->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    mpLine = new QLineEdit(body);
    mpLine->setPlaceholderText(QStringLiteral("Command ('help' lists them)"));
    mpLine->installEventFilter(this);
    connect(mpLine, &QLineEdit::returnPressed, this, &KxCommandDock::enter);
    layout->addWidget(mpPane);
    layout->addWidget(mpLine);
    setWidget(body);
    setFocusProxy(mpLine);
}

void KxCommandDock::append(const QString& text, bool error) {
    QTextCursor cursor(mpPane->document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(error ? QColor(0xc0, 0x10, 0x10) : mpPane->palette().text().color());
    cursor.insertText(text, format);
    mpPane->verticalScrollBar()->setValue(mpPane->verticalScrollBar()->maximum());
}

QString KxCommandDock::text() const {
    return mpPane->toPlainText();
}

bool KxCommandDock::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mpLine && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            recall(key == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

void KxCommandDock::enter() {
    const QString line = mpLine->text();
    mpLine->clear();
    if (line.trimmed().isEmpty()) {
        return;
    }
    if (mHistory.isEmpty() || mHistory.last() != line) {
        mHistory.append(line);
    }
    mRecalled = mHistory.size();
    mTyped.clear();
    emit lineEntered(line);
}

void KxCommandDock::recall(int step) {
    const qsizetype next = mRecalled + step;
    if (next < 0 || next > mHistory.size()) {
        return;
    }
    if (mRecalled == mHistory.size()) {
        mTyped = mpLine->text(); // kept, so that Down brings the unfinished line back
    }
    mRecalled = next;
    mpLine->setText(next == mHistory.size() ? mTyped : mHistory[next]);
}
