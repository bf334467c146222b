// The Replace Expression page.
#include "builder/pages/ReplacePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <climits>

#include "builder/pages/ListView.h"
#include "wizard/CompCtrl.h"
#include "wizard/QtText.h"
#include "wizard/TandrelSheet.h"

CReplacePage::CReplacePage(CTandrelSheet& sheet)
    : CBuilderPage(sheet, tr("Replaced Te&xt:"), {tandrel::LoadQString(3019)}, [](int w) { return std::vector<int>{w}; }),
      m_items(sheet) {
  setObjectName(QStringLiteral("CReplacePage"));
  setWindowTitle(tr("Tandrel - Replace Expression"));
  m_ctlPane->setObjectName(QStringLiteral("IDC_REPLACED_TEXT"));

  m_cmbType = new QComboBox(this);
  m_cmbType->setObjectName(QStringLiteral("IDC_EXPRESSION_TYPE"));
  auto* typeLabel = new QLabel(tr("Expression &Type"), this);
  typeLabel->setBuddy(m_cmbType);
  m_editString = new QLineEdit(this);
  m_editString->setObjectName(QStringLiteral("IDC_STRING"));
  m_editString->setMaxLength(INT_MAX);
  auto* stringLabel = new QLabel(tr("&String:"), this);
  stringLabel->setBuddy(m_editString);
  stringLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_chkUpperCase = new QCheckBox(tr("U&pper Case"), this);
  m_chkUpperCase->setObjectName(QStringLiteral("IDC_UPPER_CASE"));
  m_chkLowerCase = new QCheckBox(tr("&Lower Case"), this);
  m_chkLowerCase->setObjectName(QStringLiteral("IDC_LOWER_CASE"));
  FillTypeCombo();

  auto* form = new QGridLayout;
  form->addWidget(typeLabel, 0, 0, 1, 2);
  form->addWidget(m_cmbType, 1, 0, 1, 2);
  form->addWidget(stringLabel, 2, 0);
  form->addWidget(m_editString, 2, 1);
  form->addWidget(m_chkUpperCase, 3, 0, 1, 2);
  form->addWidget(m_chkLowerCase, 4, 0, 1, 2);
  form->setColumnStretch(1, 1);
  form->setRowStretch(5, 1);

  // Under the list, as the dialog has them: three pairs and Add on the right of the first row.
  auto* buttons = new QGridLayout;
  buttons->addWidget(m_btnApply, 0, 0);
  buttons->addWidget(m_btnInsert, 1, 0);
  buttons->addWidget(m_btnRemove, 0, 1);
  buttons->addWidget(m_btnRemoveAll, 1, 1);
  buttons->addWidget(m_btnMoveUp, 0, 2);
  buttons->addWidget(m_btnMoveDown, 1, 2);
  buttons->addWidget(m_btnAdd, 0, 3);

  auto* left = new QVBoxLayout;
  left->addWidget(m_lstItems, 1);
  left->addLayout(buttons);

  auto* lower = new QHBoxLayout;
  lower->addLayout(left, 1);
  lower->addLayout(form, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_lblPane);
  layout->addWidget(m_ctlPane, 2);
  layout->addLayout(lower, 3);

  connect(m_btnApply, &QPushButton::clicked, this, [this] { Guarded([this] { OnApply(); }); });
  connect(m_btnInsert, &QPushButton::clicked, this, [this] { Guarded([this] { OnInsert(); }); });
  connect(m_btnMoveDown, &QPushButton::clicked, this, [this] { Guarded([this] { OnMoveDown(); }); });
  connect(m_btnMoveUp, &QPushButton::clicked, this, [this] { Guarded([this] { OnMoveUp(); }); });
  connect(m_btnRemove, &QPushButton::clicked, this, [this] { Guarded([this] { OnRemove(); }); });
  connect(m_btnRemoveAll, &QPushButton::clicked, this, [this] { Guarded([this] { OnRemoveAll(); }); });
  connect(m_btnAdd, &QPushButton::clicked, this, [this] { Guarded([this] { OnAdd(); }); });
}

void CReplacePage::OnSetActive() {
  Guarded([this] {
    m_sheet.PostWizardButtons(CTandrelSheet::PSWIZB_BACK | CTandrelSheet::PSWIZB_NEXT);
    m_items.LoadReplaceItems();
    FillTypeCombo();
    Show(m_items.Refresh());
  });
  if (m_bFirstActivation) {
    m_bFirstActivation = false;
    PostAfterActivation([this] {
      if (wizard() != nullptr && wizard()->currentPage() != this) return;  // the user has moved on
      const CItemsResult result = m_items.FirstActivationApply();
      if (result.refreshed) {
        Show(result);
      } else {
        ShowMessages(result);
        ShowPaneAgain();  // now that the page is on screen, its line can scroll up
      }
    });
  } else {
    PostAfterActivation([this] { ShowPaneAgain(); });
  }
}

void CReplacePage::DoDataExchange(bool bSave) {
  CReplaceItemForm& form = m_items.Form();
  if (bSave) {
    form.type = m_cmbType->currentIndex();
    form.upperCase = m_chkUpperCase->isChecked();
    form.lowerCase = m_chkLowerCase->isChecked();
    form.string = tandrel::FromQ(m_editString->text());
    return;
  }
  m_cmbType->setCurrentIndex(form.type < m_cmbType->count() ? form.type : -1);
  m_chkUpperCase->setChecked(form.upperCase);
  m_chkLowerCase->setChecked(form.lowerCase);
  m_editString->setText(tandrel::ToQ(form.string));
}

void CReplacePage::RefreshReplaceList() {
  Guarded([this] { Show(m_items.Refresh()); });
}

void CReplacePage::OnApply() {
  if (m_items.Selected() < 0) return;
  DoDataExchange(true);
  Show(m_items.Apply());
}

void CReplacePage::OnInsert() {
  DoDataExchange(true);
  Show(m_items.Insert());
}

void CReplacePage::OnAdd() {
  DoDataExchange(true);
  Show(m_items.Add());
}

void CReplacePage::OnRemove() { Show(m_items.Remove()); }
void CReplacePage::OnRemoveAll() { Show(m_items.RemoveAll()); }
void CReplacePage::OnMoveUp() { Show(m_items.MoveUp()); }
void CReplacePage::OnMoveDown() { Show(m_items.MoveDown()); }

void CReplacePage::OnItemChanged(int row) { Show(m_items.Select(row)); }

void CReplacePage::Show(const CItemsResult& result) {
  if (result.refreshed) {
    FillItemList();
    m_lstItems->SelectRowSilently(m_items.Selected());
    DoDataExchange(false);
    if (!result.listEmpty) ShowPane(result);
  }
  ShowMessages(result);
}

void CReplacePage::FillTypeCombo() {
  const QSignalBlocker block(m_cmbType);
  m_cmbType->clear();
  for (const std::u16string& choice : m_items.TypeChoices()) m_cmbType->addItem(tandrel::ToQ(choice));
  if (m_cmbType->currentIndex() < 0 && m_cmbType->count() > 0) m_cmbType->setCurrentIndex(0);
}

void CReplacePage::FillItemList() {
  const QSignalBlocker block(m_lstItems->selectionModel());
  const auto& rows = m_items.Rows();
  m_lstItems->setRowCount(static_cast<int>(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i) m_lstItems->SetCellText(static_cast<int>(i), 0, tandrel::ToQ(rows[i]));
}
