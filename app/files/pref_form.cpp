#include "app/files/pref_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/i18n/window_translation.h"
#include "core/i18n/language.h"
#include "core/main/program_registry.h"
#include "core/prefs/cache_clearing.h"
#include "core/prefs/cache_folders.h"

namespace app {

namespace {

QComboBox* list(const char* name, const QStringList& items) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    return box;
}

QCheckBox* check(const char* name, const char* caption) {
    auto* box = new QCheckBox(QString::fromLatin1(caption));
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QPushButton* button(const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromLatin1(caption));
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLabel* folderLabel(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameShape(QFrame::StyledPanel);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(320);
    // A long path is cut at its end rather than widening the window.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

// A folder and its browse and clear buttons, under the check box that switches the cache.
QWidget* cacheGroup(QCheckBox* use, QLabel* folder, QPushButton* browse, QPushButton* clear) {
    auto* group = new QWidget;
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(use);
    layout->addWidget(folder);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(browse);
    buttons->addWidget(clear);
    layout->addLayout(buttons);
    return group;
}

}  // namespace

QString pickFolderWithDialog(QWidget* parent, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, title, start);
}

TPrefForm::TPrefForm(const core::Language& language, const core::ProgramFolders& folders,
                     const QString& registryFile, core::ProgramOptions& options, QWidget* parent)
    : QDialog(parent), language_(language), folders_(folders), options_(options) {
    setObjectName(QStringLiteral("PrefForm"));
    setWindowTitle(QStringLiteral("ALS_PREFERENCES"));
    if (!registryFile.isEmpty()) key_.emplace(core::programRegistryKey(registryFile));
    build();
    assignHelpKeywords(this);
    translateWindow(this, language_);

    // The folders the caches use now, as the navigator and the settings cache find them.
    opened_ = core::openingPreferences(options_, core::thumbnailCacheFolder(key(), folders_),
                                       core::fileSettingsCacheFolder(key(), folders_));
    showState(opened_);
    // Shown after the controls took their values, so that opening announces nothing.
    connect(ComboBox6, &QComboBox::currentIndexChanged, this, &TPrefForm::hintModeChosen);
}

void TPrefForm::build() {
    PageControl1 = new QTabWidget;
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    ComboBox1 = list("ComboBox1", core::acceleratorChoices());
    ComboBox2 = list("ComboBox2", core::opacityChoices());
    ComboBox3 = list("ComboBox3", core::histogramColourChoices());
    ComboBox4 = list("ComboBox4", core::resamplingChoices());
    ComboBox5 = list("ComboBox5", core::brightnessControlChoices());
    ComboBox6 = list("ComboBox6", core::hintModeChoices());
    CheckBox1 = check("CheckBox1", "ALS_PREFS_IGNORE_EXIF");
    CheckBox2 = check("CheckBox2", "ALS_PREFS_PLAY_SOUND");
    auto* general = new QWidget;
    general->setObjectName(QStringLiteral("tsGeneral"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("ALS_PREFS_ACCELERATOR:"), ComboBox1);
    form->addRow(QStringLiteral("ALS_PREFS_OPACITY, %:"), ComboBox2);
    form->addRow(QStringLiteral("ALS_PREFS_HIST_COLOR:"), ComboBox3);
    form->addRow(QStringLiteral("ALS_PREFS_RESAMPLE:"), ComboBox4);
    form->addRow(QStringLiteral("ALS_PREFS_BRIGHTNESS_MANAGEMENT:"), ComboBox5);
    form->addRow(QStringLiteral("ALS_PREFS_HINT_MODE:"), ComboBox6);
    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->addLayout(form);
    generalLayout->addSpacing(6);
    generalLayout->addWidget(CheckBox1);
    generalLayout->addWidget(CheckBox2);
    generalLayout->addStretch();
    PageControl1->addTab(general, QStringLiteral("ALS_GENERAL"));

    CheckBox3 = check("CheckBox3", "ALS_PREFS_USE_THUMBNAIL_CACHE:");
    CheckBox4 = check("CheckBox4", "ALS_PREFS_USE_FS_CACHE:");
    Label4 = folderLabel("Label4");
    Label9 = folderLabel("Label9");
    sbCachePath = button("sbCachePath", "ALS_FRM_BROWSE");
    sbClearCache = button("sbClearCache", "ALS_CLEAR_CACHE");
    sbFileSettingsCache = button("sbFileSettingsCache", "ALS_FRM_BROWSE");
    sbClearFileSettingsCache = button("sbClearFileSettingsCache", "ALS_CLEAR_CACHE");
    auto* cache = new QWidget;
    cache->setObjectName(QStringLiteral("tsCache"));
    auto* cacheLayout = new QVBoxLayout(cache);
    cacheLayout->addWidget(cacheGroup(CheckBox3, Label4, sbCachePath, sbClearCache));
    cacheLayout->addSpacing(12);
    cacheLayout->addWidget(
        cacheGroup(CheckBox4, Label9, sbFileSettingsCache, sbClearFileSettingsCache));
    cacheLayout->addStretch();
    PageControl1->addTab(cache, QStringLiteral("ALS_CACHE"));

    Memo1 = new QPlainTextEdit;
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setTabChangesFocus(true);
    sbResetTemplate = button("sbResetTemplate", "ALS_FRM_RESET");
    auto* text = new QWidget;
    text->setObjectName(QStringLiteral("tsText"));
    auto* textLayout = new QVBoxLayout(text);
    auto* templateLabel = new QLabel(QStringLiteral("ALS_PREFS_TEMPLTEXT:"));
    templateLabel->setBuddy(Memo1);
    textLayout->addWidget(templateLabel);
    textLayout->addWidget(Memo1);
    auto* reset = new QHBoxLayout;
    reset->addStretch();
    reset->addWidget(sbResetTemplate);
    textLayout->addLayout(reset);
    PageControl1->addTab(text, QStringLiteral("ALS_TEXT"));

    BitBtn1 = button("BitBtn1", "ALS_FRM_SAVE");
    BitBtn1->setDefault(true);
    BitBtn2 = button("BitBtn2", "ALS_FRM_CANCEL");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);

    connect(sbCachePath, &QPushButton::clicked, this, &TPrefForm::sbCachePathClick);
    connect(sbFileSettingsCache, &QPushButton::clicked, this, &TPrefForm::sbFileSettingsCacheClick);
    connect(sbClearCache, &QPushButton::clicked, this, &TPrefForm::sbClearCacheClick);
    connect(sbClearFileSettingsCache, &QPushButton::clicked, this,
            &TPrefForm::sbClearFileSettingsCacheClick);
    connect(sbResetTemplate, &QPushButton::clicked, this, &TPrefForm::sbResetTemplateClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TPrefForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    // The template holds at most 255 characters.
    connect(Memo1, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = Memo1->toPlainText();
        if (text.size() <= core::kCaptionTemplateLength) return;
        const QSignalBlocker block(Memo1);
        Memo1->setPlainText(text.left(core::kCaptionTemplateLength));
        Memo1->moveCursor(QTextCursor::End);
    });
}

void TPrefForm::showState(const core::PreferenceState& state) {
    const core::PreferenceControls& c = state.controls;
    ComboBox1->setCurrentIndex(c.acceleratorRow);
    ComboBox2->setCurrentIndex(c.opacityRow);
    ComboBox3->setCurrentIndex(c.histogramColourRow);
    ComboBox4->setCurrentIndex(c.resamplingRow);
    ComboBox5->setCurrentIndex(c.brightnessControlRow);
    ComboBox6->setCurrentIndex(c.hintModeRow);
    CheckBox1->setChecked(c.ignoreExif);
    CheckBox2->setChecked(c.playSound);
    CheckBox3->setChecked(c.useThumbnailCache);
    CheckBox4->setChecked(c.useFileSettingsCache);
    Memo1->setPlainText(c.captionTemplate);
    for (auto [label, folder] : {std::pair{Label4, state.thumbnailCacheFolder},
                                 std::pair{Label9, state.fileSettingsCacheFolder}}) {
        label->setText(core::shownFolder(folder));
        label->setToolTip(label->text());
    }
}

core::PreferenceState TPrefForm::state() const {
    core::PreferenceState s;
    core::PreferenceControls& c = s.controls;
    c.acceleratorRow = ComboBox1->currentIndex();
    c.opacityRow = ComboBox2->currentIndex();
    c.histogramColourRow = ComboBox3->currentIndex();
    c.resamplingRow = ComboBox4->currentIndex();
    c.brightnessControlRow = ComboBox5->currentIndex();
    c.hintModeRow = ComboBox6->currentIndex();
    c.ignoreExif = CheckBox1->isChecked();
    c.playSound = CheckBox2->isChecked();
    c.useThumbnailCache = CheckBox3->isChecked();
    c.useFileSettingsCache = CheckBox4->isChecked();
    c.captionTemplate = Memo1->toPlainText();
    s.thumbnailCacheFolder = core::plainFolder(Label4->text());
    s.fileSettingsCacheFolder = core::plainFolder(Label9->text());
    return s;
}

QString TPrefForm::browse(QLabel* label) {
    const QString title =
        language_.lookup(QStringLiteral("ALS_SELECT_CACHE_FOLDER")) + QLatin1Char(':');
    const QString folder = pickFolder_(this, title, folders_.program());
    if (folder.isEmpty()) return {};
    label->setText(core::shownFolder(folder));
    label->setToolTip(label->text());
    return folder;
}

void TPrefForm::sbCachePathClick() {
    browse(Label4);
}

void TPrefForm::sbFileSettingsCacheClick() {
    browse(Label9);
}

// The caches in use now; a folder browsed but not saved holds none of their files yet.
void TPrefForm::sbClearCacheClick() {
    core::clearThumbnailCache(opened_.thumbnailCacheFolder);
}

void TPrefForm::sbClearFileSettingsCacheClick() {
    core::clearFileSettingsCache(opened_.fileSettingsCacheFolder, key());
}

void TPrefForm::sbResetTemplateClick() {
    Memo1->setPlainText(core::defaultCaptionTemplate());
}

void TPrefForm::BitBtn1Click() {
    effects_ = core::savePreferences(opened_, state(), options_, key());
    accept();
}

}  // namespace app
