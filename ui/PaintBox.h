// The paint area: a fixed-size widget that hands its paint and mouse events to the window.
#pragma once

#include <QString>
#include <QWidget>

namespace velmo {

class TForm1;

inline constexpr int kPaintBoxWidth = 794;
inline constexpr int kPaintBoxHeight = 525;

class TPaintBox final : public QWidget {
  public:
    TPaintBox(TForm1& Form, QWidget* Parent);

  protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;

  private:
    void ReportPaintError(const QString& Text);

    TForm1& Form;
    QString PendingPaintError;  // reported once the paint event is over
};

}  // namespace velmo
