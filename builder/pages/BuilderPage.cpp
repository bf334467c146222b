// The parts the two builder pages share.
#include "builder/pages/BuilderPage.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QStyle>
#include <exception>

#include "builder/pages/ListView.h"
#include "engine/UnicodeExpression.h"
#include "wizard/CompCtrl.h"
#include "wizard/QtText.h"
#include "wizard/TandrelSheet.h"
#include "wizard/UiHooks.h"

CBuilderPage::CBuilderPage(CTandrelSheet& sheet, const QString& paneLabel, const QStringList& listHeaders,
                           std::function<std::vector<int>(int)> columnWidths)
    : m_sheet(sheet) {
  m_ctlPane = new CCompCtrl(this);
  m_ctlPane->setObjectName(QStringLiteral("IDC_PANE"));
  m_ctlPane->SetReadOnly(true);
  // A few lines of the text around the hit stay in view however the form grows.
  m_ctlPane->setMinimumHeight(m_ctlPane->fontMetrics().lineSpacing() * 6 + 2 * m_ctlPane->frameWidth() +
                              m_ctlPane->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_ctlPane) + 8);
  m_lblPane = new QLabel(paneLabel, this);
  m_lblPane->setBuddy(m_ctlPane);

  m_lstItems = new CListView(listHeaders, std::move(columnWidths), this);
  m_lstItems->setObjectName(QStringLiteral("IDC_ITEM_LIST"));
  connect(m_lstItems->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { Guarded([this] { OnItemChanged(m_lstItems->SelectedRow()); }); });

  const auto makeButton = [this](const QString& text, const char* name) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
  };
  m_btnApply = makeButton(tr("Appl&y"), "IDC_APPLY");
  m_btnInsert = makeButton(tr("&Insert"), "IDC_INSERT");
  m_btnRemove = makeButton(tr("&Remove"), "IDC_REMOVE");
  m_btnRemoveAll = makeButton(tr("Remo&ve All"), "IDC_REMOVE_ALL");
  m_btnMoveUp = makeButton(tr("Move &Up"), "IDC_MOVE_UP");
  m_btnMoveDown = makeButton(tr("Move Do&wn"), "IDC_MOVE_DOWN");
  m_btnAdd = makeButton(tr("&Add"), "IDC_ADD");
}

void CBuilderPage::Guarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const CExpressionError& error) {
    tandrel::MessageBox(this, tr("The search expression cannot be compiled: %1.").arg(QString::fromUtf8(error.what())));
  } catch (const std::exception& error) {
    tandrel::MessageBox(this, tr("The expressions cannot be evaluated: %1.").arg(QString::fromUtf8(error.what())));
  }
}

void CBuilderPage::ShowMessages(const CItemsResult& result) {
  for (const CBuilderMessage& message : result.messages) {
    if (message.kind == CBuilderMessage::Kind::FormIncomplete) {
      tandrel::MessageBox(this, tandrel::ToQ(message.text));
    } else {
      tandrel::MessageBox(this, tr("The search expression cannot be compiled: %1.").arg(tandrel::ToQ(message.text)));
    }
  }
}

void CBuilderPage::ShowPane(const CItemsResult& result) {
  m_lastPane = result;
  m_lastPane.messages.clear();
  m_bHaveLastPane = true;
  SetPaneText(result.paneText);
  m_ctlPane->SetColor(0, -1, 0);
  if (!result.hasHit) {
    m_ctlPane->SetSel(0, 0);
    return;
  }
  m_ctlPane->SetColor(result.hitStart, result.hitEnd, m_sheet.m_crString);
  // A condition has no part of the hit of its own; the caret stays.
  if (result.constraintShown) return;
  m_ctlPane->SetColor(result.itemStart, result.itemEnd, m_sheet.m_crFile);
  m_ctlPane->SetSel(result.itemStart, result.itemStart);
  m_ctlPane->LineScroll(m_ctlPane->LineFromChar(result.itemStart) - m_ctlPane->GetFirstVisibleLine());
}

void CBuilderPage::SetPaneText(const std::u16string& text) {
  // The pane is read-only: what it shows is what it was last given.
  if (m_bTextSet && text == m_strShown) return;
  m_strShown = text;
  m_bTextSet = true;
  std::u16string copy = text;
  m_ctlPane->ExchangeText(copy, true);
}

void CBuilderPage::ShowPaneAgain() {
  if (m_bHaveLastPane) ShowPane(CItemsResult(m_lastPane));
}

void CBuilderPage::PostAfterActivation(std::function<void()> apply) {
  // Runs once the activation is over, as a posted click of Apply would.
  QMetaObject::invokeMethod(
      this, [this, apply = std::move(apply)] { Guarded(apply); }, Qt::QueuedConnection);
}
