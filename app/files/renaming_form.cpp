#include "app/files/renaming_form.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>

#include "core/i18n/language.h"
#include "core/main/message_box.h"
#include "core/settings/program_options.h"

namespace app {

using namespace core::renaming;

namespace {

// The template field: its list shows each template with its example while it is open.
class TemplateBox : public QComboBox {
  public:
    using QComboBox::QComboBox;
    std::function<void()> opening;
    std::function<void()> closed;

    void showPopup() override {
        if (opening) opening();
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        if (closed) closed();
    }
};

QString storedTemplate(const core::ProgramOptions& options) {
    return QString::fromStdString(options.renamingTemplate).trimmed();
}

// The hourglass while the files are read or renamed.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

TFormRenaming::TFormRenaming(const core::Language& language, core::ProgramOptions& options,
                             const QStringList& paths, QWidget* parent)
    : QDialog(parent),
      language_(language),
      options_(options),
      preview_(paths, Dating{options.ignoreExif != 0}) {
    setObjectName(QStringLiteral("FormRenaming"));
    const auto text = [&](const char* key) { return language.lookup(QString::fromLatin1(key)); };
    setWindowTitle(language.message(QStringLiteral("ALS_FILE_RENAMING")));

    Label1 = new QLabel(text("ALS_NAME_TEMPLATE:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto* templateBox = new TemplateBox(this);
    cmbTemplate = templateBox;
    cmbTemplate->setObjectName(QStringLiteral("cmbTemplate"));
    cmbTemplate->setEditable(true);
    cmbTemplate->setInsertPolicy(QComboBox::NoInsert);
    cmbTemplate->lineEdit()->setMaxLength(kMaxTemplateLength);
    cmbTemplate->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbTemplate->setMinimumContentsLength(48);
    for (const char* t : predefinedTemplates())
        cmbTemplate->addItem(QString::fromLatin1(t));
    Label1->setBuddy(cmbTemplate);

    Label3 = new QLabel(text("ALS_EXAMPLE:"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);

    cmbTags = new QComboBox(this);
    cmbTags->setObjectName(QStringLiteral("cmbTags"));
    for (const TemplateTag& tag : templateTags())
        cmbTags->addItem(language.message(QString::fromLatin1(tag.descriptionKey)) +
                             QLatin1Char(' ') + QString::fromLatin1(tag.tag),
                         QString::fromLatin1(tag.tag));
    btAddToTemplate = new QPushButton(text("ALS_ADD_TO_TEMPLATE"), this);
    btAddToTemplate->setObjectName(QStringLiteral("btAddToTemplate"));
    btAddToTemplate->setAutoDefault(false);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAlternatingRowColors(true);
    ListView1->setColumnCount(4);
    ListView1->setHeaderLabels({text("ALS_ORIGINAL_NAME"), text("ALS_NEW_NAME"),
                                QStringLiteral("path"), QStringLiteral("date")});
    ListView1->setColumnHidden(kPath, true);
    ListView1->setColumnHidden(kDate, true);
    // Each column 10 pixels narrower than its share of the list.
    ListView1->setColumnWidth(kOldName, 300 - 10);
    ListView1->setColumnWidth(kNewName, 300 - 10);
    ListView1->setMinimumSize(600, 220);
    ListView1->installEventFilter(this);

    Label10 = new QLabel(text("ALS_ORIGINAL_NAME:"), this);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label12 = new QLabel(this);
    Label12->setObjectName(QStringLiteral("Label12"));
    Label11 = new QLabel(text("ALS_NEW_NAME:"), this);
    Label11->setObjectName(QStringLiteral("Label11"));
    Label13 = new QLabel(this);
    Label13->setObjectName(QStringLiteral("Label13"));
    for (QLabel* l : {Label12, Label13})
        l->setTextFormat(Qt::PlainText);
    for (QLabel* l : {Label10, Label11, Label12, Label13})
        l->setVisible(false);

    btApply = new QPushButton(text("ALS_APPLY"), this);
    btApply->setObjectName(QStringLiteral("btApply"));
    btApply->setDefault(true);
    btCancel = new QPushButton(text("ALS_FRM_CANCEL"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setAutoDefault(false);

    btApply->setMinimumWidth(btCancel->sizeHint().width());

    // One grid, so that every caption lines up: the template, the example and the tags above the
    // list, the chosen row's names below it.
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cmbTemplate, 0, 1);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(Label2, 1, 1);
    auto* tags = new QHBoxLayout;
    tags->addWidget(cmbTags, 1);
    tags->addWidget(btAddToTemplate);
    grid->addLayout(tags, 2, 1);
    grid->addWidget(ListView1, 3, 0, 1, 2);
    grid->addWidget(Label10, 4, 0);
    grid->addWidget(Label12, 4, 1);
    grid->addWidget(Label11, 5, 0);
    grid->addWidget(Label13, 5, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btApply);
    buttons->addWidget(btCancel);
    grid->addLayout(buttons, 6, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);

    fillRows();
    cmbTemplate->setCurrentIndex(0);
    cmbTags->setCurrentIndex(0);

    templateBox->opening = [this] { templateListOpened(); };
    templateBox->closed = [this] { templateListClosed(); };
    connect(cmbTemplate, &QComboBox::editTextChanged, this, &TFormRenaming::cmbTemplateChange);
    connect(cmbTemplate, &QComboBox::activated, this, &TFormRenaming::cmbTemplateSelect);
    connect(btAddToTemplate, &QPushButton::clicked, this, &TFormRenaming::btAddToTemplateClick);
    connect(ListView1, &QTreeWidget::itemClicked, this, &TFormRenaming::ListView1Click);
    connect(btApply, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormRenaming::~TFormRenaming() = default;

void TFormRenaming::fillRows() {
    ListView1->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(preview_.rows().size()));
    for (const PreviewRow& row : preview_.rows()) {
        auto* item = new QTreeWidgetItem;
        item->setText(kOldName, row.fileName);
        item->setText(kNewName, row.newName);
        item->setText(kPath, row.path);
        items << item;
    }
    ListView1->addTopLevelItems(items);
}

void TFormRenaming::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    const QString stored = storedTemplate(options_);
    {
        const QSignalBlocker block(cmbTemplate);
        cmbTemplate->setEditText(stored);
    }
    btApply->setEnabled(!stored.isEmpty());
    Label2->setText(templateExample(stored));
    // The files' dates are read once the window is on screen.
    QTimer::singleShot(0, this, [this] {
        const WaitCursor wait;
        cmbTemplateChange();
    });
}

void TFormRenaming::cmbTemplateChange() {
    const QString pattern = cmbTemplate->currentText();
    const QString trimmed = pattern.trimmed();
    btApply->setEnabled(!trimmed.isEmpty());
    Label2->setText(templateExample(pattern));
    preview_.update(pattern);
    const auto& rows = preview_.rows();
    for (int i = 0; i < int(rows.size()); ++i) {
        QTreeWidgetItem* item = ListView1->topLevelItem(i);
        if (!item) break;
        item->setText(kNewName, rows[i].newName);
        item->setText(kDate, rows[i].dateText.value_or(QString()));
    }
    options_.renamingTemplate = trimmed.toStdString();
}

void TFormRenaming::cmbTemplateSelect(int index) {
    if (index < 0 || index >= int(predefinedTemplates().size())) return;
    // The list may still show the entry with its example: the field takes the template alone.
    cmbTemplate->setEditText(QString::fromLatin1(predefinedTemplates()[index]));
}

void TFormRenaming::btAddToTemplateClick() {
    const QString tag = cmbTags->currentData().toString();
    if (tag.isEmpty()) return;
    cmbTemplate->setEditText(addTagToTemplate(cmbTemplate->currentText(), tag));
}

void TFormRenaming::ListView1Click(QTreeWidgetItem* item) {
    showSelected(item);
    ListView1->clearSelection();
}

void TFormRenaming::showSelected(QTreeWidgetItem* item) {
    const bool show = item != nullptr;
    Label12->setText(show ? item->text(kOldName) : QString());
    Label13->setText(show ? item->text(kNewName) : QString());
    for (QLabel* l : {Label10, Label11, Label12, Label13})
        l->setVisible(show);
}

bool TFormRenaming::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView1 && event->type() == QEvent::Leave) showSelected(nullptr);
    return QDialog::eventFilter(watched, event);
}

void TFormRenaming::templateListOpened() {
    const QString edited = cmbTemplate->currentText();
    const QString word = language_.lowerCase(QStringLiteral("ALS_EXAMPLE"));
    const QSignalBlocker block(cmbTemplate);
    for (int i = 0; i < cmbTemplate->count(); ++i)
        cmbTemplate->setItemText(
            i, templateListEntry(QString::fromLatin1(predefinedTemplates()[i]), word));
    cmbTemplate->setEditText(edited);
    // Wide enough for the longest entry, which would otherwise be cut in its middle.
    int width = 0;
    const QFontMetrics metrics = cmbTemplate->view()->fontMetrics();
    for (int i = 0; i < cmbTemplate->count(); ++i)
        width = std::max(width, metrics.horizontalAdvance(cmbTemplate->itemText(i)));
    cmbTemplate->view()->setMinimumWidth(width + 4 * metrics.averageCharWidth());
}

void TFormRenaming::templateListClosed() {
    const QString edited = cmbTemplate->currentText();
    const QSignalBlocker block(cmbTemplate);
    for (int i = 0; i < cmbTemplate->count(); ++i)
        cmbTemplate->setItemText(i, QString::fromLatin1(predefinedTemplates()[i]));
    cmbTemplate->setEditText(edited);
}

std::optional<RenameReport> renameFiles(QWidget* parent, const core::Language& language,
                                        core::MessageAsker& asker, core::ProgramOptions& options,
                                        const QStringList& paths,
                                        const std::function<void(int, int)>& progress) {
    if (paths.isEmpty()) return std::nullopt;
    QStringList files;
    QString pattern;
    {
        TFormRenaming form(language, options, paths, parent);
        if (form.exec() != QDialog::Accepted) return std::nullopt;
        files = form.files();
        pattern = storedTemplate(options);
    }
    if (pattern.isEmpty()) return RenameReport{};
    const WaitCursor wait;
    RenameHooks hooks;
    hooks.goOn = [&](const RenameFailure& failure) {
        // The question is the user's: no hourglass over it.
        QApplication::restoreOverrideCursor();
        const bool goOn = askGoOnAfterFailure(asker, language, failure);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return goOn;
    };
    hooks.progress = progress;
    return core::renaming::renameFiles(files, pattern, hooks, Dating{options.ignoreExif != 0});
}

}  // namespace app
