// Drawing of the enlarged icon.
#include "wizard/BigIcon.h"

#include <QPainter>

#include "wizard/ProgramIcon.h"

namespace {
constexpr int kIconSize = 32;
}

CBigIcon::CBigIcon(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setFixedSize(sizeHint());
}

QSize CBigIcon::sizeHint() const { return QSize(2 * kIconSize + 8, 2 * kIconSize + 8); }

void CBigIcon::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect client = rect();
  // The icon at its own size, then stretched without smoothing: big pixels.
  QPixmap small = tandrel::ProgramIcon().pixmap(QSize(kIconSize, kIconSize), 1.0);
  const QRect inner = client.adjusted(2, 2, -6, -6);
  painter.drawPixmap(inner, small.scaled(inner.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(client.adjusted(0, 0, -5, -5));
  painter.fillRect(QRect(client.right() - 3, client.top() + 4, 4, client.height() - 4), Qt::darkGray);
  painter.fillRect(QRect(client.left() + 4, client.bottom() - 3, client.width() - 4, 4), Qt::darkGray);
}
