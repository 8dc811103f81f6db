#include "ui/bdmv_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <fmt/format.h>

#include "core/folder_check.h"
#include "core/text.h"
#include "navigation/navigation_rows.h"
#include "ui/command_delegate.h"
#include "ui/grid_models.h"
#include "ui/widgets.h"

namespace navelo::ui {

namespace {

QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QToolButton* smallButton(const char* name, const char* caption, const char* hint) {
    auto* b = new QToolButton;
    b->setObjectName(name);
    b->setText(caption);
    b->setToolTip(hint);
    b->setEnabled(false);
    return b;
}

void fillNumbers(QComboBox* combo, int count, int from = 0) {
    combo->clear();
    for (int i = 0; i < count; ++i) combo->addItem(QString::number(i + from));
}

}  // namespace

BdmvTab::BdmvTab(Log& log, QWidget* parent) : QWidget(parent), log_(log) {
    setObjectName("tsBDMV");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    buildFolderRow(this);
    // Titles and objects side by side above, the commands of the selected
    // object across the whole width below.
    auto* split = new QSplitter(Qt::Horizontal);
    split->setObjectName("spBDMV");
    split->addWidget(buildIndexGroup());
    split->addWidget(buildObjectGroup());
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    objectSplitter_ = new QSplitter(Qt::Vertical);
    objectSplitter_->setObjectName("spObjects");
    objectSplitter_->addWidget(split);
    objectSplitter_->addWidget(buildCommandGroup());
    objectSplitter_->setStretchFactor(0, 1);
    objectSplitter_->setStretchFactor(1, 1);
    layout->addWidget(objectSplitter_, 1);
    connectEditors();
    resetViews();
}

void BdmvTab::buildFolderRow(QWidget*) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("BDMV folder:"));
    eBDMVdir_ = new QLineEdit;
    eBDMVdir_->setObjectName("eBDMVdir");
    eBDMVdir_->setToolTip("BDMV folder");
    row->addWidget(eBDMVdir_, 1);
    bbOpenDir_ = new QToolButton;
    bbOpenDir_->setObjectName("bbOpenDir");
    bbOpenDir_->setText("...");
    bbOpenDir_->setToolTip("Select a directory");
    row->addWidget(bbOpenDir_);
    bReadBDMV_ = new QPushButton("&Read");
    bReadBDMV_->setObjectName("bReadBDMV");
    bReadBDMV_->setToolTip("Read the BDMV folder");
    row->addWidget(bReadBDMV_);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    connect(bReadBDMV_, &QPushButton::clicked, this, &BdmvTab::readRequested);
    connect(bbOpenDir_, &QToolButton::clicked, this, &BdmvTab::chooseFolder);
    connect(eBDMVdir_, &QLineEdit::returnPressed, this, &BdmvTab::readRequested);
}

QGroupBox* BdmvTab::buildIndexGroup() {
    auto* group = new QGroupBox("index.bdmv");
    group->setObjectName("gbIndex");
    auto* v = new QVBoxLayout(group);

    auto* content = new QHBoxLayout;
    content->addWidget(new QLabel("Content provider:"));
    eContent_ = new QLineEdit;
    eContent_->setObjectName("eContent");
    eContent_->setToolTip("Content provider user data");
    eContent_->setMaxLength(32);
    content->addWidget(eContent_, 1);
    v->addLayout(content);

    auto* entries = new QGridLayout;
    cbFPBon_ = new QCheckBox("First play");
    cbFPBon_->setObjectName("cbFPBon");
    cbFPBon_->setToolTip("First playback on/off");
    cbFPBtype_ = makeCombo("cbFPBtype", "First playback object type");
    cbFPBTitlePBtype_ = makeCombo("cbFPBTitlePBtype", "First playback playback type");
    cbFPBObject_ = makeCombo("cbFPBObject", "First playback movie object");
    cbFPBFile_ = makeCombo("cbFPBFile", "First playback BD-J object file");
    cbTMon_ = new QCheckBox("Top menu");
    cbTMon_->setObjectName("cbTMon");
    cbTMon_->setToolTip("Top menu on/off");
    cbTMtype_ = makeCombo("cbTMtype", "Top menu object type");
    cbTMObject_ = makeCombo("cbTMObject", "Top menu movie object");
    cbTMFile_ = makeCombo("cbTMFile", "Top menu BD-J object file");
    setItems(cbFPBtype_, kObjectTypeItems);
    setItems(cbTMtype_, kObjectTypeItems);
    setItems(cbFPBTitlePBtype_, kPlaybackTypeItems);
    entries->addWidget(cbFPBon_, 0, 0);
    entries->addWidget(cbFPBtype_, 0, 1);
    entries->addWidget(cbFPBTitlePBtype_, 0, 2);
    entries->addWidget(cbFPBObject_, 0, 3);
    entries->addWidget(cbFPBFile_, 0, 4);
    entries->addWidget(cbTMon_, 1, 0);
    entries->addWidget(cbTMtype_, 1, 1);
    entries->addWidget(cbTMObject_, 1, 3);
    entries->addWidget(cbTMFile_, 1, 4);
    entries->setColumnStretch(5, 1);
    v->addLayout(entries);

    titles_ = new TextGridModel(kTitleGridHeader, this);
    sgTitles_ = makeGrid("sgTitles", "Titles", titles_);
    sgTitles_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    v->addWidget(sgTitles_, 1);

    auto* editors = new QHBoxLayout;
    cbTitleNo_ = makeCombo("cbTitleNo", "Title number");
    cbTitleOT_ = makeCombo("cbTitleOT", "Title object type");
    cbTitleAT_ = makeCombo("cbTitleAT", "Title acces type: Title Search  (User Operation) into this title");
    cbTitlePBT_ = makeCombo("cbTitlePBT", "Title playback type");
    cbTitleOID_ = makeCombo("cbTitleOID", "Title object id");
    cbTitleFN_ = makeCombo("cbTitleFN", "BD-J object filename");
    setItems(cbTitleOT_, kObjectTypeItems);
    setItems(cbTitleAT_, kAccessTypeItems);
    setItems(cbTitlePBT_, kPlaybackTypeItems);
    bbTiins_ = smallButton("bbTiins", "+", "Insert title");
    bbTidel_ = smallButton("bbTidel", "-", "Delete title");
    for (QWidget* w : std::initializer_list<QWidget*>{cbTitleNo_, cbTitleOT_, cbTitleAT_, cbTitlePBT_, cbTitleOID_, cbTitleFN_, bbTiins_, bbTidel_}) {
        editors->addWidget(w);
    }
    editors->addStretch(1);
    v->addLayout(editors);

    gbSound_ = new QGroupBox("sound.bdmv");
    gbSound_->setObjectName("gbSound");
    gbSound_->hide();
    v->addWidget(gbSound_);

    auto* labels = new QHBoxLayout;
    lTitlenum_ = new QLabel;
    lTitlenum_->setObjectName("lTitlenum");
    QFont bold = lTitlenum_->font();
    bold.setBold(true);
    lTitlenum_->setFont(bold);
    const auto indexExt = addExtensionDataRow(labels, "lIndexExtDat", "bEditIndexExtDat", "Edit the ExtensionData() of index.bdmv");
    lIndexExtDat_ = indexExt.caption;
    bEditIndexExtDat_ = indexExt.edit;
    labels->addStretch(1);
    labels->addWidget(lTitlenum_);
    v->addLayout(labels);

    return group;
}

QGroupBox* BdmvTab::buildObjectGroup() {
    auto* group = new QGroupBox("MovieObject.bdmv");
    group->setObjectName("gbMovieObject");
    pObjects_ = group;
    auto* ov = new QVBoxLayout(group);
    objects_ = new TextGridModel(kObjectGridHeader, this);
    sgObject_ = makeGrid("sgObject", "Movie objects", objects_);
    sgObject_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    ov->addWidget(sgObject_, 1);

    cbResume_ = makeCombo("cbResume", "Resume intention");
    cbMenuCall_ = makeCombo("cbMenuCall", "Menu call mask");
    cbTitleSearch_ = makeCombo("cbTitleSearch", "Title search mask");
    bbObins_ = smallButton("bbObins", "+", "Insert movieobject");
    bbObdel_ = smallButton("bbObdel", "-", "Delete movieobject");
    lObjects_ = new QLabel;
    lObjects_->setObjectName("lObjects");
    QFont bold = lObjects_->font();
    bold.setBold(true);
    lObjects_->setFont(bold);

    auto* flags = new QGridLayout;
    flags->addWidget(new QLabel("resume"), 0, 0);
    flags->addWidget(new QLabel("menu call"), 0, 1);
    flags->addWidget(new QLabel("title search"), 0, 2);
    flags->addWidget(cbResume_, 1, 0);
    flags->addWidget(cbMenuCall_, 1, 1);
    flags->addWidget(cbTitleSearch_, 1, 2);
    flags->addWidget(bbObins_, 1, 3);
    flags->addWidget(bbObdel_, 1, 4);
    flags->setColumnStretch(5, 1);
    ov->addLayout(flags);
    auto* labels = new QHBoxLayout;
    const auto objectExt = addExtensionDataRow(labels, "lObjExtDat", "bEditObjExtDat", "Edit the ExtensionData() of MovieObject.bdmv");
    lObjExtDat_ = objectExt.caption;
    bEditObjExtDat_ = objectExt.edit;
    labels->addStretch(1);
    labels->addWidget(lObjects_);
    ov->addLayout(labels);

    return group;
}

QGroupBox* BdmvTab::buildCommandGroup() {
    auto* group = new QGroupBox("Navigation commands");
    group->setObjectName("gbCommands");
    auto* v = new QVBoxLayout(group);
    commands_ = new CommandGridModel(CommandContext::MovieObject, this);
    sgCommands_ = makeGrid("sgCommands", "Navigation commands", commands_);
    sgCommands_->setItemDelegate(new CommandDelegate(sgCommands_));
    sgCommands_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    QFont mono("Monospace");
    mono.setStyleHint(QFont::TypeWriter);
    sgCommands_->setFont(mono);
    const QFontMetrics fm(mono);
    sgCommands_->horizontalHeader()->resizeSection(0, fm.horizontalAdvance("00000") + 12);
    for (int c = 1; c <= 3; ++c) sgCommands_->horizontalHeader()->resizeSection(c, fm.horizontalAdvance("000000000") + 12);
    v->addWidget(sgCommands_, 1);
    buildCommandEditor(v);
    return group;
}

QString BdmvTab::folderText() const { return eBDMVdir_->text(); }

void BdmvTab::chooseFolder() {
    const QString chosen = QFileDialog::getExistingDirectory(this, "Select a directory", eBDMVdir_->text());
    if (chosen.isEmpty()) return;
    eBDMVdir_->setText(QString::fromStdString(bdmvFolderFromChoice(chosen.toStdString())));
    if (autoRead_ && autoRead_()) emit readRequested();
}

void BdmvTab::resetViews() {
    titles_->reset();
    objects_->reset();
    commands_->reset();
    for (QTableView* g : {sgTitles_, sgObject_, sgCommands_}) setGridEnabled(g, false);
    bEditIndexExtDat_->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{bbObins_, bbObdel_, bbTiins_, bbTidel_, bbSaveCommands_}) w->setEnabled(false);
    disc_ = nullptr;
    showCommandInEditor();
}

void BdmvTab::showDisc(LoadedDisc* disc) {
    disc_ = disc;
    if (!disc || !disc->checkPassed) return;

    // MovieObject.bdmv
    const int objectCount = disc->movieObjectRead ? static_cast<int>(disc->movieObject.objects.mobjs.size()) : 0;
    if (disc->movieObjectRead) {
        objects_->setRows(objectGrid(disc->movieObject).rows);
        sgObject_->resizeColumnsToContents();
        setItems(cbResume_, kResumeItems);
        setItems(cbMenuCall_, kMaskItems);
        setItems(cbTitleSearch_, kMaskItems);
        lObjects_->setText(q(objectCountLabel(disc->movieObject)));
        lObjExtDat_->setText(q(ExtDatCap(disc->movieObject.extension)));
        for (QWidget* w : std::initializer_list<QWidget*>{cbResume_, cbMenuCall_, cbTitleSearch_}) w->setEnabled(objectCount > 0);
        bbObins_->setEnabled(true);
        bbObdel_->setEnabled(true);
        fillNumbers(cbTitleOID_, objectCount);
        fillNumbers(cbFPBObject_, objectCount);
        fillNumbers(cbTMObject_, objectCount);
    }

    // BD-J file lists
    if (disc->bdjoFolder) {
        for (QComboBox* c : {cbFPBFile_, cbTMFile_, cbTitleFN_}) {
            c->clear();
            for (const auto& name : disc->bdjoFiles) c->addItem(QString::fromStdString(name));
            if (c->count() > 0) c->setCurrentIndex(0);
        }
    }

    if (disc->titleCountError) return;  // the index views keep their previous state
    const bool ok = disc->indexRead;
    for (QWidget* w : std::initializer_list<QWidget*>{eContent_, sgTitles_, sgObject_}) w->setEnabled(ok);
    if (!ok) return;

    const TINDX& x = disc->index;
    eContent_->setText(QString::fromStdString(latin1ToUtf8(x.content_provider_user_data)));
    for (const TIndexTitle* e : {&x.indexes.FirstPlayback, &x.indexes.TopMenu}) {
        // A BD-J entry's file joins its list when the folder did not list it.
        if (e->isHdmv()) continue;
        QComboBox* file = e == &x.indexes.FirstPlayback ? cbFPBFile_ : cbTMFile_;
        const QString name = QString::fromStdString(latin1ToUtf8(e->bdjo_file_name));
        if (file->findText(name) < 0) file->addItem(name);
    }
    showEntries();
    const bool titles = !x.indexes.Titles.empty();
    {
        const QSignalBlocker block(cbTitleNo_);
        fillNumbers(cbTitleNo_, static_cast<int>(x.indexes.Titles.size()), 1);
    }
    titles_->setRows(titleGrid(x).rows);
    sgTitles_->resizeColumnsToContents();
    for (QWidget* w : std::initializer_list<QWidget*>{cbTitleNo_, cbTitleAT_, cbTitlePBT_}) w->setEnabled(titles);
    bbTiins_->setEnabled(true);
    bbTidel_->setEnabled(true);
    cbTitleOT_->setEnabled(titles && !disc->bdjoFiles.empty());
    lIndexExtDat_->setText(q(ExtDatCap(x.extension)));
    bEditIndexExtDat_->setEnabled(false);  // the ExtensionData editor comes with its own dialog

    if (titles) {
        sgTitles_->selectRow(0);
        sgTitlesClick();
    }
    if (objectCount > 0 && selectedObject() < 0) selectObject(0);
    if (objectCount > 0) sgObjectClick();
    refreshLabels();
}

void BdmvTab::refreshLabels() {
    if (!disc_) return;
    lTitlenum_->setText(q(titleCountLabel(disc_->index)));
    if (disc_->movieObjectRead) lObjects_->setText(q(objectCountLabel(disc_->movieObject)));
}

int BdmvTab::selectedObject() const {
    if (!disc_ || objects_->isReset()) return -1;
    const auto rows = sgObject_->selectionModel()->selectedRows();
    if (rows.isEmpty()) return sgObject_->currentIndex().isValid() ? sgObject_->currentIndex().row() : -1;
    int first = rows.first().row();
    for (const auto& r : rows) first = std::min(first, r.row());
    return first;
}

int BdmvTab::selectedTitle() const {
    if (!disc_ || titles_->isReset()) return -1;
    return cbTitleNo_->currentIndex();
}

void BdmvTab::selectObject(int index) {
    if (!disc_ || index < 0 || index >= objects_->rowCount()) return;
    sgObject_->selectRow(index);
    sgObject_->scrollTo(objects_->index(index, 0));
    sgObjectClick();
}

void BdmvTab::sgObjectClick() {
    const int i = selectedObject();
    if (!disc_ || !disc_->movieObjectRead || i < 0 || i >= static_cast<int>(disc_->movieObject.objects.mobjs.size())) return;
    const Tmobject& o = disc_->movieObject.objects.mobjs[static_cast<std::size_t>(i)];
    cbResume_->setCurrentIndex(o.resume_intention_flag);
    cbMenuCall_->setCurrentIndex(o.menu_call_mask);
    cbTitleSearch_->setCurrentIndex(o.title_search_mask);
    if (!o.navigation_commands.empty()) {
        log_.slog("Building commands...", 0);
        commands_->setCommands(&o.navigation_commands);
        const std::size_t n = o.navigation_commands.size();
        for (std::size_t c = 0; c < n; ++c) {
            commands_->rendered(static_cast<int>(c));
            if (c % 128 == 0) log_.slog(fmt::format("{}/{}", c + 1, n), 1);
        }
        setGridEnabled(sgCommands_, true);
    } else {
        commands_->reset();
        setGridEnabled(sgCommands_, false);
    }
    bbSaveCommands_->setEnabled(!o.navigation_commands.empty());
    log_.slogR();
    sgCommands_->selectRow(0);
    showCommandInEditor();
    emit objectShown(i, !o.navigation_commands.empty());
}

const std::vector<NavigationCommand>* BdmvTab::selectedCommands() const {
    const int i = selectedObject();
    if (!disc_ || !disc_->movieObjectRead || i < 0 || i >= static_cast<int>(disc_->movieObject.objects.mobjs.size())) return nullptr;
    return &disc_->movieObject.objects.mobjs[static_cast<std::size_t>(i)].navigation_commands;
}

const RenderedCommand* BdmvTab::commandRow(int row) const { return commands_->rendered(row); }

void BdmvTab::selectCommandRow(int row) {
    if (row < 0 || row >= commands_->rowCount()) return;
    sgCommands_->selectRow(row);
    sgCommands_->scrollTo(commands_->index(row, 1));
}

bool BdmvTab::hasNavigationData() const {
    if (!disc_) return false;
    return (disc_->movieObjectRead && !disc_->movieObject.objects.mobjs.empty()) ||
           (disc_->indexRead && !disc_->index.indexes.Titles.empty());
}

// The stored height is that of the upper half (titles and objects); the
// commands take the rest. Too small a value would hide the grids' rows.
int BdmvTab::objectPanelHeight() const { return objectSplitter_->sizes().value(0); }

void BdmvTab::setObjectPanelHeight(int height) {
    const int top = std::max(height, 240);
    const int total = std::max(objectSplitter_->height(), top + 150);
    objectSplitter_->setSizes({top, total - top});
}

}  // namespace navelo::ui
