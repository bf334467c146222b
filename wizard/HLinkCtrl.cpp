// The hyperlink control and its link files.
#include "wizard/HLinkCtrl.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QStandardPaths>
#include <QUrl>

#include "wizard/CompCtrl.h"

namespace {

// A value of a desktop entry: no line break may end the line early.
QString DesktopValue(QString value) {
  value.replace(u'\\', QStringLiteral("\\\\"));
  value.replace(u'\n', QStringLiteral("\\n"));
  value.replace(u'\r', QStringLiteral("\\r"));
  value.replace(u'\t', QStringLiteral("\\t"));
  return value;
}

}  // namespace

CHLinkCtrl::CHLinkCtrl(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::PointingHandCursor);
  setMouseTracking(true);
  setFocusPolicy(Qt::TabFocus);
}

void CHLinkCtrl::SetLink(const QString& target, const QString& text, bool bResize) {
  m_strTarget = target;
  m_strText = text;
  m_bResize = bResize;
  setToolTip(target);
  if (m_bResize) {
    setFixedSize(sizeHint());
  }
  updateGeometry();
  update();
}

QSize CHLinkCtrl::sizeHint() const {
  QFontMetrics metrics(font());
  // Room for the shadow two pixels down and right.
  return QSize(metrics.horizontalAdvance(m_strText) + 3, metrics.height() + 3);
}

uint32_t CHLinkCtrl::StateColor() const {
  switch (m_nState) {
    case kStateVisited: return m_crVisited;
    case kStateHover: return m_crHover;
    default: return m_crNormal;
  }
}

void CHLinkCtrl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QFont f = font();
  f.setUnderline(m_bUnderline);
  painter.setFont(f);
  const QRect area = rect();
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
  if (m_nState == kStateHover && m_bShadow) {
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawText(area.translated(2, 2), flags, m_strText);
  }
  painter.setPen(CCompCtrl::ColorFromCOLORREF(StateColor()));
  painter.drawText(area, flags, m_strText);
}

void CHLinkCtrl::enterEvent(QEnterEvent*) {
  if (!m_bFollowMouse || m_nState == kStateHover) return;
  m_nReturnState = m_nState;
  m_nState = kStateHover;
  update();
}

void CHLinkCtrl::leaveEvent(QEvent*) {
  if (m_nState != kStateHover) return;
  m_nState = m_nReturnState;
  update();
}

void CHLinkCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    // Posted, so the click has finished before the browser starts.
    QMetaObject::invokeMethod(this, &CHLinkCtrl::OnOpen, Qt::QueuedConnection);
    return;
  }
  QWidget::mousePressEvent(event);
}

QMenu* CHLinkCtrl::CreateLinkMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("LINK_POPUP"));
  auto add = [&](const QString& text, const char* name, void (CHLinkCtrl::*handler)()) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
  };
  add(tr("&Open"), "ID_LINK_OPEN", &CHLinkCtrl::OnOpen);
  add(tr("Copy Shor&tcut"), "ID_LINK_COPY_SHORTCUT", &CHLinkCtrl::OnCopyShortcut);
  add(tr("Add to &Favorites"), "ID_LINK_ADD_TO_FAVORITES", &CHLinkCtrl::OnAddToFavorites);
  add(tr("Add to &Desktop"), "ID_LINK_ADD_TO_DESKTOP", &CHLinkCtrl::OnAddToDesktop);
  return menu;
}

void CHLinkCtrl::contextMenuEvent(QContextMenuEvent* event) {
  if (m_nState == kStateHover) {
    m_nState = m_nReturnState;
    update();
  }
  QPoint at = event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(5, 5)) : event->globalPos();
  QMenu* menu = CreateLinkMenu();
  m_bMenuOpen = true;
  setCursor(Qt::ArrowCursor);
  menu->exec(at);
  m_bMenuOpen = false;
  setCursor(Qt::PointingHandCursor);
  delete menu;
}

void CHLinkCtrl::OnOpen() {
  if (QDesktopServices::openUrl(QUrl(m_strTarget))) {
    m_nState = kStateVisited;
    m_nReturnState = kStateVisited;
    update();
  }
}

void CHLinkCtrl::OnCopyShortcut() { QGuiApplication::clipboard()->setText(m_strTarget); }

void CHLinkCtrl::OnAddToFavorites() { WriteLinkFile(FavoritesFolder()); }
void CHLinkCtrl::OnAddToDesktop() { WriteLinkFile(DesktopFolder()); }

QString CHLinkCtrl::LinkFileName(const QString& text) {
  QString name = text;
  for (QChar separator : {QChar(u'/'), QChar(u':'), QChar(u'\\')}) {
    qsizetype at = text.lastIndexOf(separator);
    if (at >= 0) {
      name = text.mid(at + 1);
      break;
    }
  }
  // A name that would not be a file of its own gets a plain one.
  name.remove(u'/');
  if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) name = QStringLiteral("link");
  return name;
}

QString CHLinkCtrl::FavoritesFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Favorites");
}

QString CHLinkCtrl::DesktopFolder() { return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation); }

QString CHLinkCtrl::WriteLinkFile(const QString& folder) const {
  if (folder.isEmpty() || !QDir().mkpath(folder)) return QString();
  const QString path = QDir(folder).filePath(LinkFileName(m_strText) + QStringLiteral(".desktop"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return QString();
  const QString entry = QStringLiteral("[Desktop Entry]\nVersion=1.0\nType=Link\nName=") + DesktopValue(m_strText) +
                        QStringLiteral("\nURL=") + DesktopValue(m_strTarget) + QStringLiteral("\nIcon=text-html\n");
  file.write(entry.toUtf8());
  if (!file.flush()) return QString();
  file.close();
  // Desktops open only launchers that their user may run.
  file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
  return path;
}
