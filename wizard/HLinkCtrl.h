// CHLinkCtrl: a hyperlink in a dialog. It shows its text in the colour of its
// state (normal, visited, under the mouse), opens its target on a click, and
// offers Open, Copy Shortcut, Add to Favorites and Add to Desktop on the right
// button. The two "Add to" commands write XDG link files (.desktop, Type=Link).
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>

class QMenu;

class CHLinkCtrl : public QWidget {
  Q_OBJECT

public:
  enum { kStateNormal = 0, kStateVisited = 1, kStateHover = 2 };

  explicit CHLinkCtrl(QWidget* parent = nullptr);

  void SetLink(const QString& target, const QString& text, bool bResize = true);
  const QString& Target() const { return m_strTarget; }
  const QString& Text() const { return m_strText; }
  int State() const { return m_nState; }
  void SetShadow(bool bShadow) { m_bShadow = bShadow; }

  // Menu 103, its four entries in order. The caller owns it.
  QMenu* CreateLinkMenu();

  // The file name of a link file for text: after the last '/', else after the
  // last ':', else after the last '\', else the whole text.
  static QString LinkFileName(const QString& text);
  // Where Add to Favorites and Add to Desktop put their files.
  static QString FavoritesFolder();
  static QString DesktopFolder();
  // Writes the link file into folder; the file's path, or empty on failure.
  QString WriteLinkFile(const QString& folder) const;

  QSize sizeHint() const override;

public slots:
  void OnOpen();
  void OnCopyShortcut();
  void OnAddToFavorites();
  void OnAddToDesktop();

protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  uint32_t StateColor() const;

  QString m_strTarget;
  QString m_strText;
  uint32_t m_crNormal = 0xEE0000;
  uint32_t m_crVisited = 0x8B1A55;
  uint32_t m_crHover = 255;
  int m_nState = kStateNormal;
  int m_nReturnState = kStateNormal;
  bool m_bResize = true;
  bool m_bFollowMouse = true;
  bool m_bUnderline = true;
  bool m_bShadow = true;
  bool m_bMenuOpen = false;
};
