// The paint area's events, each guarded so no exception reaches the event loop.
#include "ui/PaintBox.h"

#include <exception>

#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>

#include "ui/Dialogs.h"
#include "ui/Main.h"

namespace velmo {

TPaintBox::TPaintBox(TForm1& Form, QWidget* Parent) : QWidget(Parent), Form(Form) {
    setFixedSize(kPaintBoxWidth, kPaintBoxHeight);
    // Every frame fills the whole area, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Movement without a button held must arrive too: it sets the pointer shape.
    setMouseTracking(true);
}

void TPaintBox::paintEvent(QPaintEvent*) {
    QString Failure;
    {
        QPainter Canvas(this);
        try {
            Form.PaintBox1Paint(Canvas);
        } catch (const std::exception& Error) {
            Failure = QString::fromUtf8(Error.what());
        } catch (...) {
            Failure = QStringLiteral("Erreur inconnue");
        }
    }
    if (!Failure.isNull()) {
        ReportPaintError(Failure);
    }
}

// A modal box must not open inside a paint event; the report waits for the event loop, and
// a failure repeated by later frames before then is reported once.
void TPaintBox::ReportPaintError(const QString& Text) {
    if (!PendingPaintError.isNull()) {
        return;
    }
    PendingPaintError = Text;
    QMetaObject::invokeMethod(
        this,
        [this] {
            const QString Text = PendingPaintError;
            ShowError(this, Text);
            PendingPaintError = QString();
        },
        Qt::QueuedConnection);
}

void TPaintBox::mousePressEvent(QMouseEvent* Event) {
    const QPoint Position = Event->position().toPoint();
    Guarded(this, [&] { Form.PaintBox1MouseDown(Event->buttons(), Position.x(), Position.y()); });
}

void TPaintBox::mouseMoveEvent(QMouseEvent* Event) {
    const QPoint Position = Event->position().toPoint();
    Guarded(this, [&] { Form.PaintBox1MouseMove(Position.x(), Position.y()); });
}

void TPaintBox::mouseReleaseEvent(QMouseEvent*) {
    Guarded(this, [&] { Form.PaintBox1MouseUp(); });
}

// Qt delivers the second press of a double click as a press of its own as well, so a double
// click is already two presses and two releases; the extra event adds nothing.
void TPaintBox::mouseDoubleClickEvent(QMouseEvent* Event) {
    Event->accept();
}

}  // namespace velmo
