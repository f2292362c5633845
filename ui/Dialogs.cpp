// The real message boxes behind the message seam, and the seam itself.
#include "ui/Dialogs.h"

#include <utility>

#include <QMessageBox>

namespace velmo {
namespace {

const QString kWarningTitle = QStringLiteral("Avertissement");
const QString kErrorTitle = QStringLiteral("Velmo");

void ShowMessageBox(QWidget* Parent, const TMessage& Message) {
    // An error raised again while its report is open (a timer tick, a repaint) is not stacked
    // on top of the open box.
    static bool ErrorBoxOpen = false;
    if (Message.Kind == TMessageKind::Warning) {
        QMessageBox::warning(Parent, Message.Title, Message.Text, QMessageBox::Ok);
        return;
    }
    if (ErrorBoxOpen) {
        return;
    }
    ErrorBoxOpen = true;
    QMessageBox::critical(Parent, Message.Title, Message.Text, QMessageBox::Ok);
    ErrorBoxOpen = false;
}

TMessageSink& CurrentSink() {
    static TMessageSink Sink;
    return Sink;
}

void Show(QWidget* Parent, const TMessage& Message) {
    // A copy, so a sink that replaces itself while it runs stays alive until it returns.
    const TMessageSink Sink = CurrentSink();
    if (Sink) {
        Sink(Parent, Message);
    } else {
        ShowMessageBox(Parent, Message);
    }
}

}  // namespace

TMessageSink SetMessageSink(TMessageSink Sink) {
    return std::exchange(CurrentSink(), std::move(Sink));
}

void ShowWarning(QWidget* Parent, const QString& Text) {
    Show(Parent, {TMessageKind::Warning, kWarningTitle, Text});
}

void ShowError(QWidget* Parent, const QString& Text) {
    Show(Parent, {TMessageKind::Error, kErrorTitle, Text});
}

void ShowError(QWidget* Parent, const std::exception& Error) {
    ShowError(Parent, QString::fromUtf8(Error.what()));
}

}  // namespace velmo
