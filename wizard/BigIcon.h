// CBigIcon: the program's icon drawn at twice its size, pixel for pixel, with
// a black frame and a dark grey shadow, on a button that does nothing.
#pragma once

#include <QAbstractButton>

class CBigIcon : public QAbstractButton {
  Q_OBJECT

public:
  explicit CBigIcon(QWidget* parent = nullptr);
  // Two icon sizes plus 8 pixels each way.
  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;
};
