// The text pane: whole-text exchange, colouring, lines, scrolling, edit menu.
#include "wizard/CompCtrl.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "wizard/QtText.h"

namespace {

// Units that the document turns into a paragraph break of its own.
bool IsDocumentBreak(char16_t u) { return u == 0x2029 || u == 0xFDD0 || u == 0xFDD1; }

// Every CR LF, lone CR and lone LF becomes one '\n'.
QString NormaliseBreaks(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    QChar c = text.at(i);
    if (c == u'\r') {
      if (i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
      out += u'\n';
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

CCompCtrl::CCompCtrl(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("CCompCtrl"));
  // No word wrap: a line of the pane is a line of the text, and both scroll bars.
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  connect(document(), &QTextDocument::contentsChange, this, &CCompCtrl::OnContentsChange);
}

QColor CCompCtrl::ColorFromCOLORREF(uint32_t cr) {
  return QColor(static_cast<int>(cr & 0xFF), static_cast<int>((cr >> 8) & 0xFF), static_cast<int>((cr >> 16) & 0xFF));
}

void CCompCtrl::ExchangeText(std::u16string& str, bool bSet) {
  if (!bSet) {
    std::u16string text;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
      if (block != document()->begin()) text += u"\r\n";
      text += tandrel::FromQ(block.text());
    }
    // As the original control did: the text ends at its first NUL.
    size_t nul = text.find(u'\0');
    if (nul != std::u16string::npos) text.resize(nul);
    str = std::move(text);
    return;
  }

  QString shown;
  shown.reserve(static_cast<qsizetype>(str.size()));
  std::vector<int32_t> lineStart{0};
  for (size_t i = 0; i < str.size(); ++i) {
    char16_t u = str[i];
    if (u == u'\r' || u == u'\n' || IsDocumentBreak(u)) {
      if (u == u'\r' && i + 1 < str.size() && str[i + 1] == u'\n') ++i;
      shown += QChar(u'\n');
      lineStart.push_back(static_cast<int32_t>(i + 1));
    } else {
      shown += QChar(u);
    }
  }
  m_bSetting = true;
  setPlainText(shown);  // also clears the undo history
  m_bSetting = false;
  m_aLineStart = std::move(lineStart);
  m_bMapStale = false;
}

void CCompCtrl::OnContentsChange(int, int, int) {
  if (!m_bSetting) m_bMapStale = true;
}

void CCompCtrl::RebuildMapFromDocument() const {
  // After an edit the text reads back with CR LF for every break.
  m_aLineStart.assign(1, 0);
  int32_t unit = 0;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    if (!block.next().isValid()) break;
    unit += static_cast<int32_t>(block.length() - 1) + 2;
    m_aLineStart.push_back(unit);
  }
  m_bMapStale = false;
}

int CCompCtrl::DocPos(int32_t nIndex) const {
  if (m_bMapStale) RebuildMapFromDocument();
  const QTextDocument* doc = document();
  const int docEnd = doc->characterCount() - 1;  // the final paragraph break is not text
  if (nIndex <= 0) return 0;
  auto it = std::upper_bound(m_aLineStart.begin(), m_aLineStart.end(), nIndex);
  int line = static_cast<int>(it - m_aLineStart.begin()) - 1;
  QTextBlock block = doc->findBlockByNumber(line);
  if (!block.isValid()) return docEnd;
  int offset = nIndex - m_aLineStart[static_cast<size_t>(line)];
  int textLength = block.length() - 1;
  if (offset > textLength) {
    // Inside a CR LF pair (the LF): the position after the break.
    QTextBlock next = block.next();
    return next.isValid() ? next.position() : docEnd;
  }
  return std::min(block.position() + offset, docEnd);
}

void CCompCtrl::SetColor(int32_t nStart, int32_t nEnd, uint32_t cr) {
  const int docEnd = document()->characterCount() - 1;
  int start = DocPos(nStart);
  int end = nEnd < 0 ? docEnd : DocPos(nEnd);
  if (end < start) std::swap(start, end);
  QTextCursor cursor(document());
  cursor.setPosition(start);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  QTextCharFormat format;
  format.setForeground(ColorFromCOLORREF(cr));
  format.setFontWeight(QFont::Normal);
  format.setFontUnderline(false);
  m_bSetting = true;  // a change of format leaves the text, and so the indexes, as they are
  cursor.mergeCharFormat(format);
  m_bSetting = false;
}

void CCompCtrl::SetSel(int32_t nStart, int32_t nEnd) {
  const int docEnd = document()->characterCount() - 1;
  QTextCursor cursor(document());
  cursor.setPosition(nStart < 0 ? docEnd : DocPos(nStart));
  cursor.setPosition(nEnd < 0 ? docEnd : DocPos(nEnd), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

int32_t CCompCtrl::LineFromChar(int32_t nIndex) const {
  QTextBlock block = document()->findBlock(DocPos(nIndex));
  if (!block.isValid()) block = document()->lastBlock();
  return block.blockNumber();
}

int32_t CCompCtrl::GetFirstVisibleLine() const {
  // Without word wrap the vertical scroll bar counts lines.
  return verticalScrollBar()->value();
}

void CCompCtrl::LineScroll(int32_t nLines) {
  QScrollBar* bar = verticalScrollBar();
  bar->setValue(bar->value() + nLines);
}

void CCompCtrl::SetReadOnly(bool bReadOnly) {
  setReadOnly(bReadOnly);
  document()->setUndoRedoEnabled(!bReadOnly);
}

QMenu* CCompCtrl::CreateTextPopup() {
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("TEXT_POPUP"));
  auto add = [&](const QString& text, const char* name, void (CCompCtrl::*handler)()) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  QAction* undo = add(tr("&Undo\tCtrl+Z"), "ID_EDIT_UNDO", &CCompCtrl::OnEditUndo);
  undo->setEnabled(!isReadOnly() && document()->isUndoAvailable());
  menu->addSeparator();
  add(tr("Cu&t\tCtrl+X"), "ID_EDIT_CUT", &CCompCtrl::OnEditCut);
  add(tr("&Copy\tCtrl+C"), "ID_EDIT_COPY", &CCompCtrl::OnEditCopy);
  add(tr("&Paste\tCtrl+V"), "ID_EDIT_PASTE", &CCompCtrl::OnEditPaste);
  add(tr("Cle&ar\tDel"), "ID_EDIT_CLEAR", &CCompCtrl::OnEditClear);
  add(tr("Select A&ll\tCtrl+A"), "ID_EDIT_SELECT_ALL", &CCompCtrl::OnEditSelectAll);
  return menu;
}

void CCompCtrl::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CreateTextPopup();
  menu->exec(event->globalPos());
  delete menu;
}

void CCompCtrl::OnEditUndo() {
  if (!isReadOnly()) undo();
}
void CCompCtrl::OnEditCut() {
  if (!isReadOnly()) cut();
}
void CCompCtrl::OnEditCopy() { copy(); }
void CCompCtrl::OnEditPaste() {
  if (!isReadOnly()) paste();
}
void CCompCtrl::OnEditClear() {
  if (isReadOnly()) return;
  QTextCursor cursor = textCursor();
  cursor.removeSelectedText();
  setTextCursor(cursor);
}
void CCompCtrl::OnEditSelectAll() { selectAll(); }

void CCompCtrl::keyPressEvent(QKeyEvent* event) {
  // Shift+Return would insert a line separator, a character that reads back as
  // itself; the pane knows only one kind of line break.
  if (event == QKeySequence::InsertLineSeparator && !isReadOnly()) {
    textCursor().insertBlock();
    ensureCursorVisible();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void CCompCtrl::insertFromMimeData(const QMimeData* source) {
  if (isReadOnly() || source == nullptr || !source->hasText()) return;
  // Pasted CR LF, CR and LF each become one line break.
  textCursor().insertText(NormaliseBreaks(source->text()));
  ensureCursorVisible();
}

QMimeData* CCompCtrl::createMimeDataFromSelection() const {
  // The selection as it stands (non-breaking spaces included), '\n' between lines.
  QString text = textCursor().selectedText();
  text.replace(QChar(0x2029), QChar(u'\n'));
  auto* data = new QMimeData;
  data->setText(text);
  return data;
}
