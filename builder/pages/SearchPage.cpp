// The Search Expression page.
#include "builder/pages/SearchPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QStyle>
#include <algorithm>
#include <climits>

#include "builder/CharacterTable.h"
#include "builder/pages/ListView.h"
#include "search/Profile.h"
#include "wizard/CompCtrl.h"
#include "wizard/QtText.h"
#include "wizard/TandrelSheet.h"

namespace {

// The type combo's entries, in the order of SearchItemType, as the dialog has them.
const char* const kTypeTexts[kSearchItemTypes] = {
    QT_TRANSLATE_NOOP("CSearchPage", "Exactly one occurrence"),
    QT_TRANSLATE_NOOP("CSearchPage", "Zero or more occurences"),
    QT_TRANSLATE_NOOP("CSearchPage", "One or more occurences"),
    QT_TRANSLATE_NOOP("CSearchPage", "A given range or occurences"),
    QT_TRANSLATE_NOOP("CSearchPage", "Beginning of Line"),
    QT_TRANSLATE_NOOP("CSearchPage", "End of Line"),
    QT_TRANSLATE_NOOP("CSearchPage", "Start of file"),
    QT_TRANSLATE_NOOP("CSearchPage", "End of file"),
    QT_TRANSLATE_NOOP("CSearchPage", "Expression below *not* matched"),
    QT_TRANSLATE_NOOP("CSearchPage", "Expression below *is* matched"),
};

QLabel* RightLabel(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

}  // namespace

CSearchPage::CSearchPage(CTandrelSheet& sheet)
    : CBuilderPage(sheet, tr("Sample Te&xt:"), {tandrel::LoadQString(3019), tandrel::LoadQString(3020)},
                   [](int w) { return std::vector<int>{3 * (w / 4), w / 4}; }),
      m_items(sheet, IsUnixSyntax()) {
  setObjectName(QStringLiteral("CSearchPage"));
  setWindowTitle(tr("Tandrel - Search Expression"));
  m_ctlPane->setObjectName(QStringLiteral("IDC_SAMPLE_TEXT"));

  m_cmbType = new QComboBox(this);
  m_cmbType->setObjectName(QStringLiteral("IDC_EXPRESSION_TYPE"));
  for (const char* text : kTypeTexts) m_cmbType->addItem(tr(text));
  m_cmbType->setCurrentIndex(0);
  auto* typeLabel = new QLabel(tr("Expression &Type"), this);
  typeLabel->setBuddy(m_cmbType);

  m_editAtLeast = new QLineEdit(this);
  m_editAtLeast->setObjectName(QStringLiteral("IDC_AT_LEAST"));
  m_editNoMoreThan = new QLineEdit(this);
  m_editNoMoreThan->setObjectName(QStringLiteral("IDC_NO_MORE_THAN"));
  for (QLineEdit* count : {m_editAtLeast, m_editNoMoreThan}) {
    count->setEnabled(false);
    // Room for five digits, the largest count.
    count->setMinimumWidth(count->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 8);
    count->setMaximumWidth(count->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 8);
  }
  m_editString = new QLineEdit(this);
  m_editString->setObjectName(QStringLiteral("IDC_STRING"));
  m_editString->setMaxLength(INT_MAX);

  m_lstChars = new CListView({tandrel::LoadQString(3020), tandrel::LoadQString(3021)},
                             [](int w) { return std::vector<int>{w / 3, (6 * w) / 10}; }, this);
  m_lstChars->setObjectName(QStringLiteral("IDC_CHARACTERS"));
  m_lstChars->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // Built now, so that entry 0 says string 5001 in the language in use.
  const CharacterTable table;
  m_lstChars->setRowCount(table.Size());
  int labelWidth = 0;
  for (int32_t i = 0; i < table.Size(); ++i) {
    m_lstChars->SetCellText(i, 0, tandrel::ToQ(table[i].codeText));
    m_lstChars->SetCellText(i, 1, tandrel::ToQ(table[i].label));
    labelWidth = std::max(labelWidth, m_lstChars->fontMetrics().horizontalAdvance(tandrel::ToQ(table[i].label)));
  }
  // Wide enough that the label column, 6/10 of the list, shows every label whole.
  const int scrollBar = m_lstChars->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_lstChars);
  m_lstChars->setMinimumWidth((labelWidth + 16) * 10 / 6 + scrollBar + 2 * m_lstChars->frameWidth() + 2);

  auto* atLeastLabel = RightLabel(tr("At &Least:"), m_editAtLeast, this);
  auto* noMoreLabel = RightLabel(tr("&occurrences, but no more than:"), m_editNoMoreThan, this);
  noMoreLabel->setWordWrap(true);
  auto* stringLabel = RightLabel(tr("of &String:"), m_editString, this);
  auto* charsLabel = RightLabel(tr("or Characters:"), m_lstChars, this);
  charsLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);

  // The form, right of the list: type, counts, string, characters.
  auto* form = new QGridLayout;
  form->addWidget(typeLabel, 0, 0, 1, 4);
  form->addWidget(m_cmbType, 1, 0, 1, 4);
  form->addWidget(atLeastLabel, 2, 0);
  form->addWidget(m_editAtLeast, 2, 1);
  form->addWidget(noMoreLabel, 2, 2);
  form->addWidget(m_editNoMoreThan, 2, 3);
  form->addWidget(stringLabel, 3, 0);
  form->addWidget(m_editString, 3, 1, 1, 3);
  form->addWidget(charsLabel, 4, 0);
  form->addWidget(m_lstChars, 4, 1, 1, 3);
  form->setColumnStretch(2, 1);
  form->setRowStretch(4, 1);

  // The buttons under the list, as the dialog has them: three columns, Add alone below.
  auto* buttons = new QGridLayout;
  buttons->addWidget(m_btnApply, 0, 0);
  buttons->addWidget(m_btnInsert, 1, 0);
  buttons->addWidget(m_btnRemove, 0, 1);
  buttons->addWidget(m_btnRemoveAll, 1, 1);
  buttons->addWidget(m_btnMoveUp, 0, 2);
  buttons->addWidget(m_btnMoveDown, 1, 2);
  buttons->addWidget(m_btnAdd, 2, 0);

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
  connect(m_cmbType, &QComboBox::currentIndexChanged, this, &CSearchPage::OnSelChangeType);
  connect(m_btnAdd, &QPushButton::clicked, this, [this] { Guarded([this] { OnAdd(); }); });
}

void CSearchPage::OnSetActive() {
  Guarded([this] {
    SetPaneText(m_sheet.m_strSample);
    m_ctlPane->SetSel(0, 0);
    m_sheet.PostWizardButtons(CTandrelSheet::PSWIZB_BACK | CTandrelSheet::PSWIZB_NEXT);
    Show(m_items.Activate());
  });
  if (m_bFirstActivation) {
    m_bFirstActivation = false;
    PostAfterActivation([this] {
      if (wizard() != nullptr && wizard()->currentPage() != this) return;  // the user has moved on
      CItemsResult result = m_items.FirstActivationApply();
      // The user has filled in nothing yet: a form that cannot be generated
      // (an empty expression's row) is left as it is, without message 5000.
      std::erase_if(result.messages,
                    [](const CBuilderMessage& m) { return m.kind == CBuilderMessage::Kind::FormIncomplete; });
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

bool CSearchPage::validatePage() { return DoDataExchange(true); }

bool CSearchPage::DoDataExchange(bool bSave) {
  if (!bSave) {
    PutForm();
    return true;
  }
  TakeForm();
  if (const auto message = m_items.CheckForm()) {
    CItemsResult result;
    result.messages.push_back(*message);
    ShowMessages(result);
    return false;
  }
  return true;
}

void CSearchPage::RefreshSearchList() {
  Guarded([this] { Show(m_items.Refresh()); });
}

void CSearchPage::OnApply() {
  if (m_items.Selected() < 0) return;
  if (!DoDataExchange(true)) return;
  Show(m_items.Apply());
}

void CSearchPage::OnInsert() {
  TakeForm();  // the new row's text is checked and generated by the logic
  Show(m_items.Insert());
}

void CSearchPage::OnAdd() {
  TakeForm();
  Show(m_items.Add());
}

void CSearchPage::OnRemove() { Show(m_items.Remove()); }
void CSearchPage::OnRemoveAll() { Show(m_items.RemoveAll()); }
void CSearchPage::OnMoveUp() { Show(m_items.MoveUp()); }
void CSearchPage::OnMoveDown() { Show(m_items.MoveDown()); }

void CSearchPage::OnSelChangeType(int index) {
  m_items.SetType(static_cast<SearchItemType>(index < 0 ? 0 : index));
  const bool counts = m_items.Form().countsEnabled;
  m_editAtLeast->setEnabled(counts);
  m_editNoMoreThan->setEnabled(counts);
}

void CSearchPage::OnItemChanged(int row) { Show(m_items.Select(row)); }

void CSearchPage::Show(const CItemsResult& result) {
  if (result.refreshed) {
    FillItemList();
    m_lstItems->SelectRowSilently(m_items.Selected());
    PutForm();
    if (!result.listEmpty) ShowPane(result);
  }
  ShowMessages(result);
}

void CSearchPage::FillItemList() {
  const QSignalBlocker block(m_lstItems->selectionModel());
  const auto& rows = m_items.Rows();
  m_lstItems->setRowCount(static_cast<int>(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i) {
    m_lstItems->SetCellText(static_cast<int>(i), 0, tandrel::ToQ(rows[i].text));
    m_lstItems->SetCellText(static_cast<int>(i), 1, tandrel::ToQ(rows[i].code));
  }
}

void CSearchPage::TakeForm() {
  CSearchItemForm& form = m_items.Form();
  const int type = m_cmbType->currentIndex();
  form.type = static_cast<SearchItemType>(type < 0 ? 0 : type);
  form.atLeast = tandrel::FromQ(m_editAtLeast->text());
  form.noMoreThan = tandrel::FromQ(m_editNoMoreThan->text());
  form.string = tandrel::FromQ(m_editString->text());
  form.selection.clear();
  for (const QModelIndex& index : m_lstChars->selectionModel()->selectedRows()) form.selection.insert(index.row());
}

void CSearchPage::PutForm() {
  const CSearchItemForm& form = m_items.Form();
  {
    const QSignalBlocker block(m_cmbType);
    m_cmbType->setCurrentIndex(static_cast<int>(form.type));
  }
  m_editAtLeast->setText(tandrel::ToQ(form.atLeast));
  m_editNoMoreThan->setText(tandrel::ToQ(form.noMoreThan));
  m_editAtLeast->setEnabled(form.countsEnabled);
  m_editNoMoreThan->setEnabled(form.countsEnabled);
  m_editString->setText(tandrel::ToQ(form.string));

  const QSignalBlocker block(m_lstChars->selectionModel());
  QItemSelection selection;
  for (int32_t entry : form.selection) {
    if (entry < 0 || entry >= m_lstChars->rowCount()) continue;
    const QModelIndex index = m_lstChars->model()->index(entry, 0);
    selection.select(index, index);
  }
  m_lstChars->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  if (!form.selection.empty() && *form.selection.begin() < m_lstChars->rowCount())
    m_lstChars->scrollTo(m_lstChars->model()->index(*form.selection.begin(), 0), QAbstractItemView::PositionAtTop);
  m_lstChars->viewport()->update();
}
