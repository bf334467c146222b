// CCompCtrl: the text pane of every page. It exchanges its whole text as
// 16-bit text, colours ranges of it to show hits, reports lines and scrolls by
// lines, and offers the small edit menu "TEXT_POPUP" on the right button.
//
// Character indexes are indexes into the 16-bit text the pane was given: a
// CR LF pair counts two units there, a lone CR or LF one, although the pane
// holds every line break as one paragraph break. After the user has edited the
// text, indexes refer to the text as it reads back (CR LF for every break).
#pragma once

#include <QPlainTextEdit>
#include <cstdint>
#include <string>
#include <vector>

class QMenu;

class CCompCtrl : public QPlainTextEdit {
  Q_OBJECT

public:
  explicit CCompCtrl(QWidget* parent = nullptr);

  // bSet false: str receives the whole text, CR LF for every line break, up to
  // its first NUL. bSet true: the whole text is replaced by str; colouring and
  // the undo history are dropped.
  void ExchangeText(std::u16string& str, bool bSet);
  // Colours nStart..nEnd (nEnd -1: to the end) with cr (0x00BBGGRR), bold and
  // underline off. The caret is left where it was; pages move it afterwards.
  void SetColor(int32_t nStart, int32_t nEnd, uint32_t cr);
  // Selects nStart..nEnd (nEnd -1: to the end); the caret goes to nEnd.
  void SetSel(int32_t nStart, int32_t nEnd);
  // The zero-based line that holds character nIndex.
  int32_t LineFromChar(int32_t nIndex) const;
  int32_t GetFirstVisibleLine() const;
  // Scrolls by nLines lines (negative: up); no horizontal scrolling.
  void LineScroll(int32_t nLines);
  // Read-only panes keep no undo history: there is nothing the user could undo.
  void SetReadOnly(bool bReadOnly);

  // The context menu, its seven entries in order, Undo enabled only while
  // there is something to undo. The caller owns it.
  QMenu* CreateTextPopup();

  // The position in the pane's document of character index nIndex.
  int DocPos(int32_t nIndex) const;

  static QColor ColorFromCOLORREF(uint32_t cr);

public slots:
  void OnEditUndo();
  void OnEditCut();
  void OnEditCopy();
  void OnEditPaste();
  void OnEditClear();
  void OnEditSelectAll();

protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  QMimeData* createMimeDataFromSelection() const override;

private:
  void OnContentsChange(int position, int charsRemoved, int charsAdded);
  void RebuildMapFromDocument() const;

  // Index of each line's first character in the 16-bit text.
  mutable std::vector<int32_t> m_aLineStart{0};
  mutable bool m_bMapStale = false;
  bool m_bSetting = false;
};
