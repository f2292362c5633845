// Every message box of the window goes through here, so tests can record messages instead.
#pragma once

#include <exception>
#include <functional>

#include <QString>

class QWidget;

namespace velmo {

enum class TMessageKind { Warning, Error };

struct TMessage {
    TMessageKind Kind = TMessageKind::Error;
    QString Title;
    QString Text;
};

// Shows one message and returns when it is dismissed.
using TMessageSink = std::function<void(QWidget* Parent, const TMessage& Message)>;

// Replaces how messages are shown and returns the previous sink; an empty sink restores the
// real modal message boxes.
TMessageSink SetMessageSink(TMessageSink Sink);

// The load-failure warning: title "Avertissement", a single OK button.
void ShowWarning(QWidget* Parent, const QString& Text);

// The report of an unexpected error: title "Velmo", the error's message.
void ShowError(QWidget* Parent, const QString& Text);
void ShowError(QWidget* Parent, const std::exception& Error);

// Runs one event handler; an exception it raises is reported with ShowError and goes no
// further, so nothing ever crosses the event loop.
template <class THandler>
void Guarded(QWidget* Parent, THandler&& Handler) noexcept {
    try {
        Handler();
    } catch (const std::exception& Error) {
        ShowError(Parent, Error);
    } catch (...) {
        ShowError(Parent, QStringLiteral("Erreur inconnue"));
    }
}

}  // namespace velmo
