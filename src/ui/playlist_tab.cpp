#include "ui/playlist_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QActionGroup>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <span>

#include "core/field_reader.h"
#include "core/text.h"
#include "playlist/appinfo_editing.h"
#include "playlist/chapter_files.h"
#include "playlist/code_tables.h"
#include "playlist/mark_editing.h"
#include "playlist/playitem_editing.h"
#include "playlist/playlist_file.h"
#include "playlist/stn_editing.h"
#include "ui/grid_models.h"
#include "ui/widgets.h"

namespace navelo::ui {

namespace fs = std::filesystem;

namespace {

QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The splitters never squeeze a group below what still shows a few rows.
constexpr int kMinPlayListHeight = 158;
constexpr int kMinSubPathHeight = 92;
constexpr int kMinPlayListMarkHeight = 95;

void setSpanItems(QComboBox* combo, std::span<const std::string_view> items) {
    combo->clear();
    for (auto item : items) combo->addItem(q(item));
}

QToolButton* smallButton(const char* name, const char* caption, const char* hint) {
    auto* b = new QToolButton;
    b->setObjectName(name);
    b->setText(caption);
    b->setToolTip(hint);
    b->setEnabled(false);
    return b;
}

// Integer and hexadecimal fields: as wide as their widest value.
QLineEdit* field(const char* name, const char* hint, const char* widest, const char* initial = "") {
    auto* e = new QLineEdit(initial);
    e->setObjectName(name);
    if (hint) e->setToolTip(hint);
    const QFontMetrics fm(e->font());
    e->setFixedWidth(fm.horizontalAdvance(QString::fromLatin1(widest)) + 12);
    e->setEnabled(false);
    return e;
}

QCheckBox* checkBox(const QString& name, const QString& caption, std::string_view hint) {
    auto* c = new QCheckBox(caption);
    c->setObjectName(name);
    c->setToolTip(q(hint));
    c->setEnabled(false);
    return c;
}

// Lists show a few characters and open wide enough for their longest item.
QComboBox* list(const char* name, const char* hint, int characters) {
    QComboBox* c = makeCombo(name, hint);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(characters);
    c->setEnabled(false);
    return c;
}

// Column widths from the widest text a column can hold, so that the grids
// keep their shape between PlayLists and no header is cut.
void setColumnWidths(QTableView* grid, std::initializer_list<const char*> widest) {
    const QFontMetrics cells(grid->font());
    const QFontMetrics header(grid->horizontalHeader()->font());
    int column = 0;
    for (const char* text : widest) {
        const QString title = grid->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        const int width = std::max(cells.horizontalAdvance(QString::fromLatin1(text)), header.horizontalAdvance(title) + 4) + 10;
        grid->horizontalHeader()->resizeSection(column++, width);
    }
}

int currentRow(const QTableView* grid) { return grid->currentIndex().isValid() ? grid->currentIndex().row() : -1; }

// A grid with rows is filled and enabled; one without rows is reset and disabled.
bool fillGrid(TextGridModel* model, QTableView* grid, const GridText& text) {
    model->setRows(text.rows);
    const bool rows = !text.rows.empty();
    setGridEnabled(grid, rows);
    return rows;
}

// Runs the click handler of a grid only for selections the user makes; the
// tab selects rows itself while filling and then refreshes explicitly.
class Filling {
public:
    explicit Filling(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~Filling() { flag_ = was_; }
    Filling(const Filling&) = delete;
    Filling& operator=(const Filling&) = delete;

private:
    bool& flag_;
    bool was_;
};

// A grid whose cells can be typed over while its edit mode is on; what is
// typed goes to `typed`, which changes the model and redraws the row.
class CellEditModel : public TextGridModel {
public:
    template <std::size_t N>
    CellEditModel(const std::array<std::string_view, N>& header, QObject* parent) : TextGridModel(header, parent) {}

    bool editable = false;
    std::function<void(int row, int column, const QString& text)> typed;

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = TextGridModel::flags(index);
        if (editable && !isReset() && index.column() > 0) f |= Qt::ItemIsEditable;
        return f;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        return TextGridModel::data(index, role == Qt::EditRole ? Qt::DisplayRole : role);
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole || !editable || !typed || !index.isValid()) return false;
        typed(index.row(), index.column(), value.toString());
        return true;
    }
};

// Offers the column's edit mask to the cell editor.
class MaskDelegate : public QStyledItemDelegate {
public:
    MaskDelegate(std::string_view (*mask)(int), QObject* parent) : QStyledItemDelegate(parent), mask_(mask) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            const std::string_view m = mask_(index.column());
            if (!m.empty()) line->setInputMask(q(m));
        }
        return editor;
    }

private:
    std::string_view (*mask_)(int);
};

CellEditModel* cellModel(TextGridModel* model) { return static_cast<CellEditModel*>(model); }

QString hexField8(std::uint32_t v) { return q(hexUpper(v, 8)); }
std::string text8(const QLineEdit* e) { return e->text().toStdString(); }
void setTextIfDifferent(QLineEdit* e, const QString& text) {
    if (e->text() != text) e->setText(text);
}
// A field left after the user typed in it; leaving it untouched changes nothing.
bool typedAndLeft(QLineEdit* e) {
    if (!e->isModified()) return false;
    e->setModified(false);
    return true;
}

}  // namespace

PlaylistTab::PlaylistTab(Log& log, QWidget* parent) : QWidget(parent), log_(log) {
    setObjectName("tsPLAYLIST");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    layout->addWidget(buildListRow());
    layout->addWidget(buildAppInfoGroup());

    groups_ = new QSplitter(Qt::Vertical);
    groups_->setObjectName("spPlayList");
    groups_->setChildrenCollapsible(false);
    groups_->addWidget(buildPlayListGroup());
    groups_->addWidget(buildSubPathGroup());
    groups_->addWidget(buildPlayListMarkGroup());
    layout->addWidget(groups_, 1);
    setGroupHeights(176, 92, 103);

    connectViews();
    connectEditors();
    resetViews();
}

// One line: the PlayList list with its Read button, and the ExtensionData caption with its Edit button.
QWidget* PlaylistTab::buildListRow() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    cbPlaylist_ = list("cbPlaylist", "PlayList", 6);
    bReadPL_ = new QPushButton("&Read");
    bReadPL_->setObjectName("bReadPL");
    bReadPL_->setToolTip("Read the selected PlayList");
    bReadPL_->setEnabled(false);
    row->addWidget(new QLabel("PlayList:"));
    row->addWidget(cbPlaylist_);
    row->addWidget(bReadPL_);
    row->addStretch(1);
    row->addWidget(buildExtensionDataGroup());
    return box;
}

QWidget* PlaylistTab::buildExtensionDataGroup() {
    auto* group = new QWidget;
    group->setObjectName("gbMExtDat");
    auto* h = new QHBoxLayout(group);
    h->setContentsMargins(0, 0, 0, 0);
    const auto ext = addExtensionDataRow(h, "lMExtDat", "bMExtDatEdit", "Edit the ExtensionData() of the PlayList");
    lMExtDat_ = ext.caption;
    bMExtDatEdit_ = ext.edit;
    return group;
}

QGroupBox* PlaylistTab::buildAppInfoGroup() {
    auto* group = new QGroupBox("AppInfoPlayList");
    group->setObjectName("gbAppInfoPlayList");
    auto* v = new QVBoxLayout(group);
    v->setContentsMargins(6, 2, 6, 4);
    v->setSpacing(2);

    auto* row = new QHBoxLayout;
    cbAIpbt_ = list("cbAIpbt", "Playback type", 9);
    setItems(cbAIpbt_, kPlayListPlaybackTypeItems);
    cbAIpbt_->setCurrentIndex(0);
    ieAIpbc_ = field("ieAIpbc", "Playback count for random and shuffle play", "00000");
    cbAIRA_ = checkBox("cbAIRA", "random access", "PlayList_random_access_flag");
    cbAIBM_ = checkBox("cbAIBM", "bypass mixer", "lossless_may_bypass_mixer_flag");
    cbAIAM_ = checkBox("cbAIAM", "audio mix", "audio_mix_app_flag");
    heAIUO_ = field("heAIUO", "User Operation Mask Table", "DDDDDDDD");
    heAIUO2_ = field("heAIUO2", "User Operation Mask Table #2", "DDDDDDDD");
    row->addWidget(cbAIpbt_);
    row->addWidget(new QLabel("count"));
    row->addWidget(ieAIpbc_);
    row->addSpacing(6);
    row->addWidget(cbAIRA_);
    row->addWidget(cbAIBM_);
    row->addWidget(cbAIAM_);
    row->addSpacing(6);
    row->addWidget(new QLabel("UO"));
    row->addWidget(heAIUO_);
    row->addWidget(heAIUO2_);
    row->addStretch(1);
    v->addLayout(row);

    // The mask bits in the order of the hex field: bit 31 on the left.
    auto* bits = new QHBoxLayout;
    bits->setSpacing(0);
    auto* caption = new QLabel("UO 31..0");
    caption->setToolTip("User operations forbidden while the PlayList plays");
    bits->addWidget(caption);
    bits->addSpacing(6);
    for (int bit = 31; bit >= 0; --bit) {
        cbUO_[static_cast<std::size_t>(bit)] = checkBox(QString("cbUO%1").arg(bit), {}, uoBitHint(bit));
        bits->addWidget(cbUO_[static_cast<std::size_t>(bit)]);
        if (bit % 8 == 0 && bit > 0) bits->addSpacing(6);
    }
    bits->addSpacing(12);
    bits->addWidget(new QLabel("#2 30"));
    bits->addSpacing(4);
    cbUO2_30_ = checkBox("cbUO2_30", {}, uoWord2BitHint());
    bits->addWidget(cbUO2_30_);
    bits->addStretch(1);
    v->addLayout(bits);
    return group;
}

QGroupBox* PlaylistTab::buildPlayListGroup() {
    gbPLayList_ = new QGroupBox("PlayList");
    gbPLayList_->setObjectName("gbPLayList");
    gbPLayList_->setMinimumHeight(kMinPlayListHeight);
    auto* h = new QHBoxLayout(gbPLayList_);
    h->setContentsMargins(4, 2, 4, 4);

    playItems_ = new CellEditModel(kPlayItemGridHeader, this);
    sgPLitem_ = makeGrid("sgPLitem", "PlayItems", playItems_);
    sgPLitem_->setSelectionMode(QAbstractItemView::SingleSelection);
    setColumnWidths(sgPLitem_, {"000", "00000", "M2TS", "00:00:00.000", "00:00:00.000", "00:00:00.000", "DDDDDDDD", "DDDDDDDD", "0"});

    playItemAngles_ = new TextGridModel(kClipRefGridHeader, this);
    sgPIangles_ = makeGrid("sgPIangles", "Angles", playItemAngles_);
    sgPIangles_->setSelectionMode(QAbstractItemView::SingleSelection);
    setColumnWidths(sgPIangles_, {"0", "00000", "M2TS", "000"});
    sgPIangles_->setFixedWidth(sgPIangles_->horizontalHeader()->length() + 24);

    auto* split = new QSplitter(Qt::Horizontal);
    playItemSplit_ = split;
    split->setObjectName("spPlayItems");
    split->setChildrenCollapsible(false);
    auto* items = new QWidget;
    auto* ih = new QHBoxLayout(items);
    ih->setContentsMargins(0, 0, 0, 0);
    ih->addWidget(sgPLitem_, 1);
    ih->addWidget(sgPIangles_);
    split->addWidget(items);
    split->addWidget(buildStnGroup());
    h->addWidget(split);
    return gbPLayList_;
}

QGroupBox* PlaylistTab::buildStnGroup() {
    auto* group = new QGroupBox("STN");
    group->setObjectName("gbSTN");
    auto* v = new QVBoxLayout(group);
    v->setContentsMargins(4, 2, 4, 4);
    v->setSpacing(3);

    stnCounts_ = new TextGridModel(kSTNGridHeader, this);
    sgSTN_ = makeGrid("sgSTN", "Stream kinds: click one to list its streams", stnCounts_);
    sgSTN_->setSelectionBehavior(QAbstractItemView::SelectItems);
    sgSTN_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgSTN_->horizontalHeader()->setStretchLastSection(false);
    sgSTN_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgSTN_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColumnWidths(sgSTN_, {"000", "000", "000", "000", "000", "000", "000"});
    sgSTN_->setFixedSize(sgSTN_->horizontalHeader()->length() + 2 * sgSTN_->frameWidth(),
                         sgSTN_->horizontalHeader()->sizeHint().height() + sgSTN_->verticalHeader()->defaultSectionSize() +
                             2 * sgSTN_->frameWidth());

    coEntryType_ = list("coEntryType", nullptr, 7);
    setSpanItems(coEntryType_, streamEntryTypeItems());
    heMainPID_ = field("heMainPID", "PID of mainClip", "DDDD", "0000");
    ieSubPath_ = field("ieSubPath", "SubPath id", "000");
    ieSubClip_ = field("ieSubClip", "subClip entry id", "000");
    heSubPID_ = field("heSubPID", "PID of subClip", "DDDD");
    bbInsSTN_ = smallButton("bbInsSTN", "+", "Insert stream");
    bbDelSTN_ = smallButton("bbDelSTN", "-", "Delete stream");
    coVideo_ = list("coVideo", nullptr, 6);
    setSpanItems(coVideo_, videoCodingItems());
    coResol_ = list("coResol", "Video format", 5);
    setSpanItems(coResol_, videoFormatItems());
    coFrmRate_ = list("coFrmRate", "Frame rate", 6);
    setSpanItems(coFrmRate_, frameRateItems());
    coAudio_ = list("coAudio", nullptr, 8);
    setSpanItems(coAudio_, audioCodingItems());
    coAuType_ = list("coAuType", nullptr, 8);
    setSpanItems(coAuType_, audioPresentationItems());
    coFreq_ = list("coFreq", "Sampling frequency", 7);
    setSpanItems(coFreq_, samplingFrequencyItems());
    coLang_ = list("coLang", "Language", 3);
    setSpanItems(coLang_, languageCodes());

    auto* head = new QHBoxLayout;
    head->addWidget(sgSTN_);
    auto* editors = new QGridLayout;
    editors->setHorizontalSpacing(3);
    editors->setVerticalSpacing(2);
    auto* entry = new QHBoxLayout;
    entry->setSpacing(3);
    for (QWidget* w : std::initializer_list<QWidget*>{coEntryType_, heMainPID_, ieSubPath_, ieSubClip_, heSubPID_}) entry->addWidget(w);
    entry->addStretch(1);
    entry->addWidget(bbInsSTN_);
    entry->addWidget(bbDelSTN_);
    auto* attributes = new QHBoxLayout;
    attributes->setSpacing(3);
    for (QWidget* w : std::initializer_list<QWidget*>{coVideo_, coResol_, coFrmRate_, coAudio_, coAuType_, coFreq_, coLang_}) {
        attributes->addWidget(w);
    }
    attributes->addStretch(1);
    editors->addLayout(entry, 0, 0);
    editors->addLayout(attributes, 1, 0);
    // The rows keep their height while the lists of another kind are hidden.
    const int rowHeight = coEntryType_->sizeHint().height();
    editors->setRowMinimumHeight(0, rowHeight);
    editors->setRowMinimumHeight(1, rowHeight);
    head->addLayout(editors, 1);
    v->addLayout(head);

    streamEntries_ = new TextGridModel(kStreamEntryGridHeader, this);
    sgStreamEntry_ = makeGrid("sgStreamEntry", "Streams of the selected kind", streamEntries_);
    sgStreamEntry_->setSelectionMode(QAbstractItemView::SingleSelection);
    setColumnWidths(sgStreamEntry_, {"000", "PlayItem", "DDDD", "0000", "00", "DDDD"});
    v->addWidget(sgStreamEntry_, 1);
    return group;
}

QGroupBox* PlaylistTab::buildSubPathGroup() {
    gbSubPath_ = new QGroupBox("SubPath");
    gbSubPath_->setObjectName("gbSubPath");
    gbSubPath_->setMinimumHeight(kMinSubPathHeight);
    auto* h = new QHBoxLayout(gbSubPath_);
    h->setContentsMargins(4, 2, 4, 4);

    auto* left = new QVBoxLayout;
    left->setSpacing(2);
    subPaths_ = new TextGridModel(kSubPathGridHeader, this);
    sgSubPath_ = makeGrid("sgSubPath", "SubPaths\r\nIns: Insert SubPath\r\nDel: Delete SubPath", subPaths_);
    sgSubPath_->setSelectionMode(QAbstractItemView::SingleSelection);
    setColumnWidths(sgSubPath_, {"000", "OoM Async", "repeat", "item"});
    sgSubPath_->setFixedWidth(sgSubPath_->horizontalHeader()->length() + 24);
    left->addWidget(sgSubPath_, 1);
    auto* controls = new QHBoxLayout;
    controls->setSpacing(3);
    cbSubPathType_ = list("cbSubPathType", nullptr, 9);
    setSpanItems(cbSubPathType_, subPathTypeItems());
    cbSPrepeat_ = list("cbSPrepeat", "Repeat SubPath", 3);
    setSpanItems(cbSPrepeat_, subPathRepeatItems());
    bbSPins_ = smallButton("bbSPins", "+", "Insert SubPath");
    bbSPdel_ = smallButton("bbSPdel", "-", "Delete SubPath");
    controls->addWidget(cbSubPathType_, 1);
    controls->addWidget(cbSPrepeat_);
    controls->addWidget(bbSPins_);
    controls->addWidget(bbSPdel_);
    left->addLayout(controls);
    h->addLayout(left);

    subPlayItems_ = new CellEditModel(kSubPlayItemGridHeader, this);
    sgSubPlayItem_ = makeGrid("sgSubPlayItem", "SubPlayItems of the selected SubPath", subPlayItems_);
    sgSubPlayItem_->setSelectionMode(QAbstractItemView::SingleSelection);
    setColumnWidths(sgSubPlayItem_, {"000", "00000", "M2TS", "0", "multi", "000", "00:00:00.000", "00:00:00.000", "000",
                                     "00:00:00.000", "00"});
    h->addWidget(sgSubPlayItem_, 1);

    clipEntries_ = new TextGridModel(kClipRefGridHeader, this);
    sgAngles_ = makeGrid("sgAngles", "Clip entries", clipEntries_);
    sgAngles_->setSelectionMode(QAbstractItemView::SingleSelection);
    setColumnWidths(sgAngles_, {"0", "00000", "M2TS", "000"});
    sgAngles_->setFixedWidth(sgAngles_->horizontalHeader()->length() + 24);
    h->addWidget(sgAngles_);
    return gbSubPath_;
}

QGroupBox* PlaylistTab::buildPlayListMarkGroup() {
    gbPlayListMark_ = new QGroupBox("PlayListMark");
    gbPlayListMark_->setObjectName("gbPlayListMark");
    gbPlayListMark_->setMinimumHeight(kMinPlayListMarkHeight);
    auto* h = new QHBoxLayout(gbPlayListMark_);
    h->setContentsMargins(4, 2, 4, 4);

    marks_ = new TextGridModel(kPlayListMarkGridHeader, this);
    sgPlayListMark_ = makeGrid("sgPlayListMark", "PlayListMarks\r\nIns: Insert mark\r\nDel: Delete marks", marks_);
    sgPlayListMark_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    setColumnWidths(sgPlayListMark_, {"000", "entry-mark", "000", "00:00:00.000", "DDDD"});
    h->addWidget(sgPlayListMark_, 1);

    cmPLMtype_ = list("cmPLMtype", "Mark type", 9);
    setSpanItems(cmPLMtype_, markTypeItems());
    iePLMPI_ = field("iePLMPI", "PlayItem", "00000");
    iePLMhour_ = field("iePLMhour", "Hours", "000", "0");
    iePLMmin_ = field("iePLMmin", "Minutes", "000", "0");
    iePLMsec_ = field("iePLMsec", "Seconds", "000", "0");
    iePLMms_ = field("iePLMms", "Milliseconds", "00000", "999");
    bbPLMins_ = smallButton("bbPLMins", "+", "Insert PlayListMark item");
    bbPLMdel_ = smallButton("bbPLMdel", "-", "Delete PlayListMark item");
    bbLoadChap_ = smallButton("bbLoadChap", "Load...", "Load chapters");
    bbSaveChap_ = smallButton("bbSaveChap", "Save...", "Save chapters");

    auto* editor = new QGridLayout;
    editor->setHorizontalSpacing(3);
    editor->setVerticalSpacing(3);
    editor->addWidget(new QLabel("type"), 0, 0);
    editor->addWidget(cmPLMtype_, 0, 1, 1, 4);
    editor->addWidget(new QLabel("PlayItem"), 0, 5);
    editor->addWidget(iePLMPI_, 0, 6);
    editor->addWidget(new QLabel("time"), 1, 0);
    editor->addWidget(iePLMhour_, 1, 1);
    editor->addWidget(iePLMmin_, 1, 2);
    editor->addWidget(iePLMsec_, 1, 3);
    editor->addWidget(iePLMms_, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(3);
    for (QWidget* w : std::initializer_list<QWidget*>{bbPLMins_, bbPLMdel_, bbLoadChap_, bbSaveChap_}) buttons->addWidget(w);
    buttons->addStretch(1);
    editor->addLayout(buttons, 2, 0, 1, 7);
    editor->setRowStretch(3, 1);
    h->addLayout(editor);
    return gbPlayListMark_;
}

void PlaylistTab::connectViews() {
    connect(bReadPL_, &QPushButton::clicked, this, &PlaylistTab::readSelected);
    connect(groups_, &QSplitter::splitterMoved, this, [this] {
        const QList<int> sizes = groups_->sizes();
        for (int i = 0; i < 3; ++i) groupHeights_[static_cast<std::size_t>(i)] = sizes.value(i);
    });
    // Only a choice the user makes counts as a change; selecting an entry from code does not read it.
    connect(cbPlaylist_, &QComboBox::activated, this, [this] { cbPlaylistChange(); });
    auto onRow = [this](QTableView* grid, void (PlaylistTab::*click)()) {
        connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this, click] {
            if (!filling_) (this->*click)();
        });
    };
    onRow(sgPLitem_, &PlaylistTab::sgPLitemClick);
    onRow(sgStreamEntry_, &PlaylistTab::sgStreamEntryClick);
    onRow(sgSubPath_, &PlaylistTab::sgSubPathClick);
    onRow(sgSubPlayItem_, &PlaylistTab::sgSubPlayItemClick);
    onRow(sgPlayListMark_, &PlaylistTab::sgPlayListMarkClick);
    connect(sgSTN_->selectionModel(), &QItemSelectionModel::currentColumnChanged, this, [this] {
        if (!filling_) sgSTNClick();
    });
}

void PlaylistTab::resetViews() {
    model_ = TMPLS{};
    for (TextGridModel* m : {playItems_, playItemAngles_, stnCounts_, streamEntries_, subPaths_, subPlayItems_, clipEntries_, marks_}) {
        m->reset();
    }
    for (QTableView* g : {sgPLitem_, sgPIangles_, sgSubPlayItem_, sgAngles_}) {
        connect(g, &QTableView::doubleClicked, this, [this, g] { clipDoubleClick(g); });
    }
    for (QTableView* g : {sgPLitem_, sgPIangles_, sgSTN_, sgStreamEntry_, sgSubPath_, sgSubPlayItem_, sgAngles_, sgPlayListMark_}) {
        setGridEnabled(g, false);
    }
    sgPIangles_->hide();
    sgAngles_->hide();
    hideStreamEditors();
    lMExtDat_->clear();
    // The fields show nothing of a PlayList no longer held; the lists and the
    // mark time return to the values they start with.
    cbAIpbt_->setCurrentIndex(0);
    for (QLineEdit* e : {ieAIpbc_, heAIUO_, heAIUO2_, iePLMPI_}) e->clear();
    for (QCheckBox* c : cbUO_) c->setChecked(false);
    for (QCheckBox* c : {cbUO2_30_, cbAIRA_, cbAIBM_, cbAIAM_}) c->setChecked(false);
    for (QComboBox* c : {cbSubPathType_, cbSPrepeat_, cmPLMtype_}) selectIndex(c, -1);
    iePLMhour_->setText("0");
    iePLMmin_->setText("0");
    iePLMsec_->setText("0");
    iePLMms_->setText("999");
    for (QTableView* g : {sgPLitem_, sgSubPlayItem_}) setEditMode(g, false);
    enableEditors();
}

void PlaylistTab::setPlaylists(const std::vector<std::string>& names) {
    cbPlaylist_->clear();
    for (const auto& name : names) cbPlaylist_->addItem(QString::fromStdString(name));
    if (!names.empty()) cbPlaylist_->setCurrentIndex(0);
}

void PlaylistTab::setListEnabled(bool enabled) {
    cbPlaylist_->setEnabled(enabled);
    bReadPL_->setEnabled(enabled);
}

QString PlaylistTab::currentName() const { return cbPlaylist_->currentText(); }

bool PlaylistTab::selectPlaylist(const QString& name) {
    const int i = cbPlaylist_->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i < 0) return false;
    cbPlaylist_->setCurrentIndex(i);
    return true;
}

void PlaylistTab::selectPlayItemRow(int row) {
    if (playItems_->isReset() || row < 0 || row >= playItems_->rowCount()) return;
    {
        const Filling filling(filling_);
        sgPLitem_->selectRow(row);
    }
    sgPLitem_->scrollTo(playItems_->index(row, 0));
    sgPLitemClick();
}

void PlaylistTab::cbPlaylistChange() {
    if (autoRead_ && autoRead_()) readSelected();
    emit selectionChanged();
}

void PlaylistTab::readSelected() {
    const std::string name = currentName().toStdString();
    if (name.empty()) return;
    const std::string folder = folder_ ? folder_() : std::string();
    log_.dlog0(readingPlayListMessage(name));
    // A file that cannot be read, or is not a PlayList, leaves the held PlayList and every view as they were.
    auto in = FieldReader::open(fs::path(folder) / "PLAYLIST" / (name + ".mpls"));
    if (!in) {
        log_.erlog(in.error().message);
        emit playListRead();
        return;
    }
    auto read = readPlayList(*in);
    if (!read) {
        log_.erlog(read.error().describe());
        emit playListRead();
        return;
    }
    // A PlayList cut short is not shown in part: it could not be saved either.
    if (read->truncated) {
        log_.erlog(read->truncated->describe());
        emit playListRead();
        return;
    }

    // The rows selected before stay selected where the new PlayList has them.
    const int playItemRow = currentRow(sgPLitem_);
    const int subPathRow = currentRow(sgSubPath_);
    const int markRow = currentRow(sgPlayListMark_);
    model_ = std::move(read->model);
    showProgress(in->size());
    showAppInfo();
    showPlayItems(playItemRow);
    showSubPaths(subPathRow);
    showMarks(markRow);
    lMExtDat_->setText(q(extensionDataCaption(model_)));
    log_.log2(playListFoundMessage(model_));
    log_.slogR();
    cbPlaylist_->setFocus();
    emit playListRead();
}

void PlaylistTab::showProgress(std::uint64_t fileSize) {
    for (const auto& text : playListReadProgress(model_, fileSize)) log_.slog(text, 1);
}

void PlaylistTab::showAppInfo() {
    const TAppInfoPlayList& a = model_.AppInfoPlayList;
    selectIndex(cbAIpbt_, playbackTypeSelection(a.PlayList_playback_type, cbAIpbt_->currentIndex()));
    ieAIpbc_->setText(q(playbackCountText(model_)));
    heAIUO_->setText(q(uoMaskText(a.UO_mask_table.word1)));
    heAIUO2_->setText(q(uoMaskText(a.UO_mask_table.word2)));
    const UOCheckBoxes boxes = uoCheckBoxes(a.UO_mask_table);
    for (std::size_t bit = 0; bit < cbUO_.size(); ++bit) cbUO_[bit]->setChecked(boxes.word1[bit]);
    cbUO2_30_->setChecked(boxes.word2Bit30);
    cbAIRA_->setChecked(appInfoFlag(model_, AppInfoFlag::RandomAccess));
    cbAIAM_->setChecked(appInfoFlag(model_, AppInfoFlag::AudioMix));
    cbAIBM_->setChecked(appInfoFlag(model_, AppInfoFlag::BypassMixer));
    enableEditors();
}

void PlaylistTab::showPlayItems(int selectRow) {
    if (fillGrid(playItems_, sgPLitem_, playItemGrid(model_))) {
        const Filling filling(filling_);
        sgPLitem_->selectRow(std::clamp(selectRow, 0, playItems_->rowCount() - 1));
    }
    sgPLitemClick();
}

void PlaylistTab::showSubPaths(int selectRow) {
    if (!fillGrid(subPaths_, sgSubPath_, subPathGrid(model_))) {
        subPlayItems_->reset();
        setGridEnabled(sgSubPlayItem_, false);
        clipEntries_->reset();
        setGridEnabled(sgAngles_, false);
        sgAngles_->hide();
        selectIndex(cbSubPathType_, -1);
        selectIndex(cbSPrepeat_, -1);
        enableEditors();
        return;
    }
    {
        const Filling filling(filling_);
        sgSubPath_->selectRow(std::clamp(selectRow, 0, subPaths_->rowCount() - 1));
    }
    sgSubPathClick();
}

void PlaylistTab::showMarks(int selectRow) {
    // Without a PlayListMark block the PlayList holds no marks.
    fillGrid(marks_, sgPlayListMark_, playListMarkGrid(model_));
    setGridEnabled(sgPlayListMark_, model_.PlayListMark_start_address != 0);
    if (!marks_->isReset()) {
        const Filling filling(filling_);
        sgPlayListMark_->selectRow(std::clamp(selectRow, 0, marks_->rowCount() - 1));
    }
    enableEditors();
    sgPlayListMarkClick();
}

void PlaylistTab::clipDoubleClick(QTableView* grid) {
    // The grids that edit in place jump only while they are read-only.
    if ((grid == sgPLitem_ || grid == sgSubPlayItem_) && editMode(grid)) return;
    const int row = currentRow(grid);
    if (row < 0) return;
    const auto r = static_cast<std::size_t>(row);
    std::optional<std::string> name;
    if (grid == sgPLitem_) {
        name = playItemClipName(model_, r);
    } else if (grid == sgPIangles_) {
        if (currentRow(sgPLitem_) >= 0) name = angleClipName(model_, static_cast<std::size_t>(currentRow(sgPLitem_)), r);
    } else if (grid == sgSubPlayItem_) {
        if (currentRow(sgSubPath_) >= 0) name = subPlayItemClipName(model_, static_cast<std::size_t>(currentRow(sgSubPath_)), r);
    } else if (grid == sgAngles_) {
        if (currentRow(sgSubPath_) >= 0 && currentRow(sgSubPlayItem_) >= 0) {
            name = clipEntryClipName(model_, static_cast<std::size_t>(currentRow(sgSubPath_)),
                                     static_cast<std::size_t>(currentRow(sgSubPlayItem_)), r);
        }
    }
    if (name) emit clipRequested(QString::fromStdString(*name));
}

const TPlayItem* PlaylistTab::selectedPlayItem() const {
    const int row = currentRow(sgPLitem_);
    const auto& items = model_.PlayList.PlayItems;
    if (playItems_->isReset() || row < 0 || row >= static_cast<int>(items.size())) return nullptr;
    return &items[static_cast<std::size_t>(row)];
}

const TSubPath* PlaylistTab::selectedSubPath() const {
    const int row = currentRow(sgSubPath_);
    const auto& paths = model_.PlayList.SubPaths;
    if (subPaths_->isReset() || row < 0 || row >= static_cast<int>(paths.size())) return nullptr;
    return &paths[static_cast<std::size_t>(row)];
}

StreamKind PlaylistTab::selectedKind() const {
    const int column = sgSTN_->currentIndex().isValid() ? sgSTN_->currentIndex().column() : 0;
    return kStreamKinds[static_cast<std::size_t>(std::clamp(column, 0, static_cast<int>(kStreamKinds.size()) - 1))];
}

void PlaylistTab::sgPLitemClick() {
    const TPlayItem* item = selectedPlayItem();
    const bool angles = item && showsAngleGrid(*item);
    if (angles) fillGrid(playItemAngles_, sgPIangles_, angleGrid(*item));
    else {
        playItemAngles_->reset();
        setGridEnabled(sgPIangles_, false);
    }
    sgPIangles_->setVisible(angles);
    if (!item) {
        stnCounts_->reset();
        setGridEnabled(sgSTN_, false);
        bbInsSTN_->setEnabled(false);
        bbDelSTN_->setEnabled(false);
        streamEntries_->reset();
        setGridEnabled(sgStreamEntry_, false);
        hideStreamEditors();
        return;
    }
    // The stream kind stays selected from one PlayItem to the next.
    const int column = static_cast<int>(selectedKind());
    fillGrid(stnCounts_, sgSTN_, stnGrid(item->STN_table));
    {
        const Filling filling(filling_);
        sgSTN_->setCurrentIndex(stnCounts_->index(0, column));
    }
    sgSTNClick();
}

void PlaylistTab::sgSTNClick() {
    const TPlayItem* item = selectedPlayItem();
    const StnButtons buttons = item ? stnButtons(item->STN_table, selectedKind()) : StnButtons{};
    bbInsSTN_->setEnabled(buttons.insert);
    bbDelSTN_->setEnabled(buttons.remove);
    if (!item || !fillGrid(streamEntries_, sgStreamEntry_, streamEntryGrid(item->STN_table, selectedKind()))) {
        streamEntries_->reset();
        setGridEnabled(sgStreamEntry_, false);
        hideStreamEditors();
        return;
    }
    {
        const Filling filling(filling_);
        sgStreamEntry_->selectRow(0);
    }
    sgStreamEntryClick();
}

void PlaylistTab::hideStreamEditors() {
    for (QWidget* w : std::initializer_list<QWidget*>{coEntryType_, heMainPID_, ieSubPath_, ieSubClip_, heSubPID_, coVideo_, coResol_,
                                                      coFrmRate_, coAudio_, coAuType_, coFreq_, coLang_}) {
        w->hide();
    }
}

void PlaylistTab::sgStreamEntryClick() {
    const int playItem = currentRow(sgPLitem_);
    const int row = currentRow(sgStreamEntry_);
    if (playItems_->isReset() || streamEntries_->isReset() || playItem < 0 || row < 0) {
        hideStreamEditors();
        return;
    }
    const StreamEditorView v =
        showStream(model_, {static_cast<std::size_t>(playItem), selectedKind(), static_cast<std::size_t>(row)});
    if (!v.shown) {
        hideStreamEditors();
        return;
    }
    auto hint = [](QWidget* w, std::optional<std::string_view> text) {
        if (text) w->setToolTip(q(*text));
    };
    for (QWidget* w : std::initializer_list<QWidget*>{coEntryType_, heMainPID_, ieSubPath_, ieSubClip_, heSubPID_, coVideo_, coResol_,
                                                      coFrmRate_, coAudio_, coAuType_, coFreq_, coLang_}) {
        w->setEnabled(true);
    }
    coEntryType_->show();
    selectIndex(coEntryType_, v.entryTypeIndex);
    hint(coEntryType_, setenthint(coEntryType_->currentIndex()));
    heMainPID_->setVisible(v.mainPidShown);
    heMainPID_->setText(q(hexUpper(v.mainPid, 4)));
    ieSubPath_->setVisible(v.subPathShown);
    ieSubPath_->setText(QString::number(v.subPath));
    ieSubClip_->setVisible(v.subClipShown);
    ieSubClip_->setText(QString::number(v.subClip));
    heSubPID_->setVisible(v.subPidShown);
    heSubPID_->setText(q(hexUpper(v.subPid, 4)));

    for (QWidget* w : {coVideo_, coResol_, coFrmRate_}) w->setVisible(v.videoShown);
    if (v.videoShown) {
        // Coding types without an item leave the list as it was.
        if (v.videoCodingIndex) coVideo_->setCurrentIndex(*v.videoCodingIndex);
        hint(coVideo_, setvidhint(coVideo_->currentIndex()));
        selectIndex(coResol_, v.videoFormatIndex);
        selectIndex(coFrmRate_, v.frameRateIndex);
    }
    for (QWidget* w : {coAudio_, coAuType_, coFreq_}) w->setVisible(v.audioShown);
    if (v.audioShown) {
        selectIndex(coAudio_, v.audioCodingIndex);
        hint(coAudio_, setaudhint(coAudio_->currentIndex()));
        selectIndex(coAuType_, v.presentationIndex);
        hint(coAuType_, setautyhint(coAuType_->currentIndex()));
        selectIndex(coFreq_, v.frequencyIndex);
    }
    coLang_->setVisible(v.languageShown);
    if (v.languageShown) selectIndex(coLang_, v.languageIndex);
}

void PlaylistTab::sgSubPathClick() {
    const TSubPath* path = selectedSubPath();
    if (!path) return;
    if (fillGrid(subPlayItems_, sgSubPlayItem_, subPlayItemGrid(*path))) {
        const Filling filling(filling_);
        sgSubPlayItem_->selectRow(0);
    }
    showSubPathEditor();
    sgSubPlayItemClick();
}

void PlaylistTab::sgSubPlayItemClick() {
    const TSubPath* path = selectedSubPath();
    const int row = currentRow(sgSubPlayItem_);
    const TSubPlayItem* item = nullptr;
    if (path && !subPlayItems_->isReset() && row >= 0 && row < static_cast<int>(path->SubPlayItems.size())) {
        item = &path->SubPlayItems[static_cast<std::size_t>(row)];
    }
    const bool entries = item && showsClipEntryGrid(*item);
    if (entries) fillGrid(clipEntries_, sgAngles_, clipEntryGrid(*item));
    else {
        clipEntries_->reset();
        setGridEnabled(sgAngles_, false);
    }
    sgAngles_->setVisible(entries);
}

void PlaylistTab::sgPlayListMarkClick() {
    const int row = currentRow(sgPlayListMark_);
    const auto& marks = model_.PlayListMark.marks;
    if (marks_->isReset() || row < 0 || row >= static_cast<int>(marks.size())) return;
    const auto view = showMark(model_, static_cast<std::size_t>(row));
    if (!view) return;
    selectIndex(cmPLMtype_, view->typeIndex);
    iePLMPI_->setText(QString::number(view->playItem));
    iePLMhour_->setText(QString::number(view->time.hours));
    iePLMmin_->setText(QString::number(view->time.minutes));
    iePLMsec_->setText(QString::number(view->time.seconds));
    iePLMms_->setText(QString::number(view->time.milliseconds));
}

bool PlaylistTab::plsave(const SaveOptions& options, const std::string& bdmvFolder) {
    const std::string name = currentName().toStdString();
    if (name.empty() || !hasPlayItems()) return false;
    auto bytes = writePlayList(model_);
    if (!bytes) {
        // The same lines as a save that fails later: the announcement, then the reason.
        log_.clearErrorFlag();
        log_.dlog0(savingPlayListMessage(name));
        log_.erlog(bytes.error().message);
        return false;
    }
    const fs::path folder = fs::path(bdmvFolder) / "PLAYLIST";
    return saveDiscFile(log_, options, {folder, name + ".mpls", fs::path(bdmvFolder), false}, *bytes);
}

void PlaylistTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (playItemSplitPlaced_) return;
    playItemSplitPlaced_ = true;
    // The PlayItem columns get their full width when the window has room for
    // them beside the STN table; a narrow window gives the STN table its minimum.
    const int total = playItemSplit_->width() - playItemSplit_->handleWidth();
    const int stn = playItemSplit_->widget(1)->minimumSizeHint().width();
    const int items = sgPLitem_->horizontalHeader()->length() + sgPLitem_->verticalScrollBar()->sizeHint().width() +
                      2 * sgPLitem_->frameWidth() + 2;
    const int left = std::max(std::min(items, total - stn), total / 4);
    playItemSplit_->setSizes({left, total - left});
}

// The heights kept are the ones set or dragged last, not what a window size
// made of them: they act as shares, and a taller window gives each group its
// part of the extra room.
int PlaylistTab::playListHeight() const { return groupHeights_[0]; }
int PlaylistTab::subPathHeight() const { return groupHeights_[1]; }
int PlaylistTab::playListMarkHeight() const { return groupHeights_[2]; }

void PlaylistTab::setGroupHeights(int playList, int subPath, int playListMark) {
    groupHeights_ = {std::max(playList, kMinPlayListHeight), std::max(subPath, kMinSubPathHeight),
                     std::max(playListMark, kMinPlayListMarkHeight)};
    groups_->setSizes({groupHeights_[0], groupHeights_[1], groupHeights_[2]});
}

// ---- Editing ----

void PlaylistTab::edited() { emit modelsEdited(); }

void PlaylistTab::enableEditors() {
    const bool held = hasPlayItems();
    for (QWidget* w : std::initializer_list<QWidget*>{cbAIpbt_, ieAIpbc_, cbAIRA_, cbAIBM_, cbAIAM_, heAIUO_, heAIUO2_, cbUO2_30_}) {
        w->setEnabled(held);
    }
    for (QCheckBox* c : cbUO_) c->setEnabled(held);
    const bool marks = held && !model_.PlayListMark.marks.empty();
    for (QWidget* w : std::initializer_list<QWidget*>{cmPLMtype_, iePLMPI_, iePLMhour_, iePLMmin_, iePLMsec_, iePLMms_, bbPLMdel_, bbSaveChap_}) {
        w->setEnabled(marks);
    }
    bbPLMins_->setEnabled(held && model_.PlayListMark.marks.size() < kMaxMarks);
    bbLoadChap_->setEnabled(held);
    const bool subPaths = held && !model_.PlayList.SubPaths.empty();
    bbSPins_->setEnabled(held && model_.PlayList.SubPaths.size() < kMaxSubPaths);
    bbSPdel_->setEnabled(subPaths);
    cbSubPathType_->setEnabled(subPaths);
    if (!subPaths) cbSPrepeat_->setEnabled(false);
}

void PlaylistTab::connectEditors() {
    // AppInfoPlayList
    auto* hex = new QRegularExpressionValidator(QRegularExpression("[0-9A-Fa-f]{0,8}"), this);
    heAIUO_->setValidator(hex);
    heAIUO2_->setValidator(hex);
    heAIUO_->setMaxLength(8);
    heAIUO2_->setMaxLength(8);
    ieAIpbc_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,5}"), this));
    connect(cbAIpbt_, &QComboBox::activated, this, [this](int item) {
        if (hasPlayItems() && setPlaybackType(model_, item)) edited();
    });
    connect(ieAIpbc_, &QLineEdit::textEdited, this, [this] {
        if (!hasPlayItems()) return;
        setPlaybackCount(model_, static_cast<std::uint16_t>(readDecimalLenient(text8(ieAIpbc_))));
        edited();
    });
    for (auto [box, flag] : {std::pair{cbAIRA_, AppInfoFlag::RandomAccess}, std::pair{cbAIAM_, AppInfoFlag::AudioMix},
                             std::pair{cbAIBM_, AppInfoFlag::BypassMixer}}) {
        connect(box, &QCheckBox::clicked, this, [this, flag = flag](bool on) {
            if (!hasPlayItems()) return;
            setAppInfoFlag(model_, flag, on);
            edited();
        });
    }
    auto uoTyped = [this] {
        if (!hasPlayItems()) return;
        setPlayListUOMask(model_, readHexLenient(text8(heAIUO_)), readHexLenient(text8(heAIUO2_)));
        showUOBoxes();
        edited();
    };
    connect(heAIUO_, &QLineEdit::textEdited, this, uoTyped);
    connect(heAIUO2_, &QLineEdit::textEdited, this, uoTyped);
    connect(heAIUO2_, &QLineEdit::editingFinished, this, [this] {
        if (!typedAndLeft(heAIUO2_) || !hasPlayItems()) return;
        const std::uint32_t before = model_.AppInfoPlayList.UO_mask_table.word2;
        const std::uint32_t word2 = leavePlayListUOWord2(model_);
        setTextIfDifferent(heAIUO2_, hexField8(word2));
        showUOBoxes();
        if (word2 != before) edited();
    });
    for (int bit = 0; bit < 32; ++bit) {
        connect(cbUO_[static_cast<std::size_t>(bit)], &QCheckBox::clicked, this, [this, bit](bool on) {
            if (!hasPlayItems() || !setPlayListUOBit(model_, bit, on)) return;
            showUOFields();
            edited();
        });
    }
    connect(cbUO2_30_, &QCheckBox::clicked, this, [this](bool on) {
        if (!hasPlayItems()) return;
        setPlayListUOWord2Bit30(model_, on);
        showUOFields();
        edited();
    });
    for (QLineEdit* e : {heAIUO_, heAIUO2_, ieAIpbc_}) {
        connect(e, &QLineEdit::returnPressed, this, [this] { cbAIpbt_->parentWidget()->setFocus(); });
    }

    // PlayListMarks
    connect(bbPLMins_, &QToolButton::clicked, this, &PlaylistTab::insertMark);
    connect(bbPLMdel_, &QToolButton::clicked, this, &PlaylistTab::deleteMarks);
    connect(bbLoadChap_, &QToolButton::clicked, this, &PlaylistTab::loadChapterClick);
    connect(bbSaveChap_, &QToolButton::clicked, this, &PlaylistTab::saveChapterClick);
    auto* digits = new QRegularExpressionValidator(QRegularExpression("-?[0-9]{0,9}"), this);
    for (QLineEdit* e : {iePLMPI_, iePLMhour_, iePLMmin_, iePLMsec_, iePLMms_}) e->setValidator(digits);
    connect(cmPLMtype_, &QComboBox::activated, this, [this](int item) {
        const int row = markRow();
        if (row >= 0 && setMarkType(model_, static_cast<std::size_t>(row), item)) {
            redrawMark(row);
            edited();
        }
    });
    connect(iePLMPI_, &QLineEdit::textEdited, this, [this] {
        const int row = markRow();
        if (row >= 0 && setMarkPlayItem(model_, static_cast<std::size_t>(row), readDecimalLenient(text8(iePLMPI_)))) {
            redrawMark(row);
            edited();
        }
    });
    connect(iePLMhour_, &QLineEdit::textEdited, this, &PlaylistTab::markTimeLeft);
    for (QLineEdit* e : {iePLMhour_, iePLMmin_, iePLMsec_, iePLMms_}) {
        connect(e, &QLineEdit::editingFinished, this, &PlaylistTab::markTimeLeft);
    }
    // Enter walks through the editor: PlayItem, hour, minute, second, millisecond, type.
    const std::array<QWidget*, 6> order{iePLMPI_, iePLMhour_, iePLMmin_, iePLMsec_, iePLMms_, cmPLMtype_};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        connect(static_cast<QLineEdit*>(order[i]), &QLineEdit::returnPressed, this, [next = order[i + 1]] { next->setFocus(); });
    }

    // STN
    connect(bbInsSTN_, &QToolButton::clicked, this, &PlaylistTab::insertStream);
    connect(bbDelSTN_, &QToolButton::clicked, this, &PlaylistTab::deleteStream);
    heMainPID_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9A-Fa-f]{0,4}"), this));
    heSubPID_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9A-Fa-f]{0,4}"), this));
    ieSubPath_->setValidator(digits);
    ieSubClip_->setValidator(digits);
    using ListEdit = bool (*)(TMPLS&, const StreamRef&, int);
    for (auto [combo, edit] : {std::pair<QComboBox*, ListEdit>{coEntryType_, &setStreamEntryType}, {coVideo_, &setVideoCoding},
                               {coResol_, &setVideoFormat}, {coFrmRate_, &setFrameRate}, {coAudio_, &setAudioCoding},
                               {coAuType_, &setAudioPresentation}, {coFreq_, &setSamplingFrequency}, {coLang_, &setStreamLanguage}}) {
        connect(combo, &QComboBox::activated, this, [this, edit = edit](int item) {
            if (const auto ref = selectedStream()) streamEdited(edit(model_, *ref, item));
        });
    }
    connect(heMainPID_, &QLineEdit::editingFinished, this, [this] {
        if (!typedAndLeft(heMainPID_)) return;
        if (const auto ref = selectedStream()) streamEdited(setStreamMainPid(model_, *ref, readHexLenient(text8(heMainPID_))));
    });
    connect(heSubPID_, &QLineEdit::editingFinished, this, [this] {
        if (!typedAndLeft(heSubPID_)) return;
        if (const auto ref = selectedStream()) streamEdited(setStreamSubPid(model_, *ref, readHexLenient(text8(heSubPID_))));
    });
    connect(ieSubPath_, &QLineEdit::editingFinished, this, [this] {
        if (!typedAndLeft(ieSubPath_)) return;
        if (const auto ref = selectedStream()) streamEdited(setStreamSubPathId(model_, *ref, readDecimalLenient(text8(ieSubPath_))));
    });
    connect(ieSubClip_, &QLineEdit::editingFinished, this, [this] {
        if (!typedAndLeft(ieSubClip_)) return;
        if (const auto ref = selectedStream()) streamEdited(setStreamSubClipId(model_, *ref, readDecimalLenient(text8(ieSubClip_))));
    });

    // SubPaths
    connect(bbSPins_, &QToolButton::clicked, this, &PlaylistTab::insertSubPath);
    connect(bbSPdel_, &QToolButton::clicked, this, &PlaylistTab::deleteSubPath);
    connect(cbSubPathType_, &QComboBox::activated, this, [this](int item) {
        const int row = currentRow(sgSubPath_);
        if (!selectedSubPath() || !setSubPathType(model_, static_cast<std::size_t>(row), item)) return;
        subPaths_->setRow(row, subPathRow(static_cast<std::size_t>(row), model_.PlayList.SubPaths[static_cast<std::size_t>(row)]));
        showSubPathEditor();
        edited();
    });
    connect(cbSPrepeat_, &QComboBox::activated, this, [this](int item) {
        const int row = currentRow(sgSubPath_);
        if (!selectedSubPath() || !setSubPathRepeat(model_, static_cast<std::size_t>(row), item)) return;
        subPaths_->setRow(row, subPathRow(static_cast<std::size_t>(row), model_.PlayList.SubPaths[static_cast<std::size_t>(row)]));
        showSubPathEditor();
        edited();
    });

    // Keys of the grids
    for (QTableView* g : {sgPlayListMark_, sgStreamEntry_, sgSubPath_}) g->installEventFilter(this);

    // In-place editing and its switch
    cellModel(playItems_)->typed = [this](int row, int column, const QString& text) { playItemCellTyped(row, column, text); };
    cellModel(subPlayItems_)->typed = [this](int row, int column, const QString& text) { subPlayItemCellTyped(row, column, text); };
    sgPLitem_->setItemDelegate(new MaskDelegate(&playItemEditMask, sgPLitem_));
    sgSubPlayItem_->setItemDelegate(new MaskDelegate(&subPlayItemEditMask, sgSubPlayItem_));
    for (QTableView* g : {sgPLitem_, sgSubPlayItem_}) {
        g->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(g, &QWidget::customContextMenuRequested, this, [this, g](const QPoint& at) { gridMenu(g, at); });
    }
}

void PlaylistTab::showUOFields() {
    setTextIfDifferent(heAIUO_, hexField8(model_.AppInfoPlayList.UO_mask_table.word1));
    setTextIfDifferent(heAIUO2_, hexField8(model_.AppInfoPlayList.UO_mask_table.word2));
    showUOBoxes();
}

void PlaylistTab::showUOBoxes() {
    const UOCheckBoxes boxes = uoCheckBoxes(model_.AppInfoPlayList.UO_mask_table);
    for (std::size_t bit = 0; bit < cbUO_.size(); ++bit) cbUO_[bit]->setChecked(boxes.word1[bit]);
    cbUO2_30_->setChecked(boxes.word2Bit30);
}

// ---- Marks ----

int PlaylistTab::markRow() const {
    const int row = currentRow(sgPlayListMark_);
    if (marks_->isReset() || row < 0 || row >= static_cast<int>(model_.PlayListMark.marks.size())) return -1;
    return row;
}

void PlaylistTab::redrawMark(int row) {
    marks_->setRow(row, playListMarkRow(static_cast<std::size_t>(row), model_.PlayListMark.marks[static_cast<std::size_t>(row)]));
}

void PlaylistTab::markTimeLeft() {
    const int row = markRow();
    if (row < 0) return;
    const MarkTimeFields typed{readDecimalLenient(text8(iePLMhour_)), readDecimalLenient(text8(iePLMmin_)),
                               readDecimalLenient(text8(iePLMsec_)), readDecimalLenient(text8(iePLMms_))};
    const std::uint32_t before = model_.PlayListMark.marks[static_cast<std::size_t>(row)].mark_time_stamp;
    const auto shown = setMarkTime(model_, static_cast<std::size_t>(row), typed);
    if (!shown) return;
    // The field being typed in keeps its text while it is still empty.
    if (!iePLMhour_->text().isEmpty() || !iePLMhour_->hasFocus()) setTextIfDifferent(iePLMhour_, QString::number(shown->hours));
    setTextIfDifferent(iePLMmin_, QString::number(shown->minutes));
    setTextIfDifferent(iePLMsec_, QString::number(shown->seconds));
    setTextIfDifferent(iePLMms_, QString::number(shown->milliseconds));
    redrawMark(row);
    if (model_.PlayListMark.marks[static_cast<std::size_t>(row)].mark_time_stamp != before) edited();
}

void PlaylistTab::insertMark() {
    if (!hasPlayItems()) return;
    std::optional<std::size_t> last;
    if (!marks_->isReset()) {
        for (const QModelIndex& index : sgPlayListMark_->selectionModel()->selectedRows()) {
            last = std::max(last.value_or(0), static_cast<std::size_t>(index.row()));
        }
        if (!last && markRow() >= 0) last = static_cast<std::size_t>(markRow());
    }
    const auto row = navelo::insertMark(model_, last);
    if (!row) return;
    showMarks(static_cast<int>(*row));
    edited();
}

void PlaylistTab::deleteMarks() {
    if (marks_->isReset() || model_.PlayListMark.marks.empty()) return;
    int top = -1, bottom = -1;
    for (const QModelIndex& index : sgPlayListMark_->selectionModel()->selectedRows()) {
        top = top < 0 ? index.row() : std::min(top, index.row());
        bottom = std::max(bottom, index.row());
    }
    if (top < 0) top = bottom = markRow();
    if (top < 0) return;
    const auto deletion = navelo::deleteMarks(model_, static_cast<std::size_t>(top), static_cast<std::size_t>(bottom));
    if (!deletion) return;
    showMarks(deletion->selectRow ? static_cast<int>(*deletion->selectRow) : 0);
    edited();
}

// ---- Chapter files ----

namespace {

ChapterFormat chapterFormatOf(const std::function<int()>& option) {
    const int item = option ? option() : 0;
    return item == 1 ? ChapterFormat::Frame : item == 2 ? ChapterFormat::Time : ChapterFormat::PTS;
}

// "Text|*.txt" as a file dialog filter.
QString dialogFilter(std::string_view filter) {
    const auto bar = filter.find('|');
    if (bar == std::string_view::npos) return q(filter);
    return q(filter.substr(0, bar)) + " (" + q(filter.substr(bar + 1)) + ")";
}

}  // namespace

void PlaylistTab::loadChapterClick() {
    if (!hasPlayItems()) return;
    const QString work = workDir_ ? workDir_() : QString();
    const QString folder = !work.isEmpty() ? work : q(folder_ ? folder_() : std::string());
    const QString proposed = q(proposedChapterFileName(currentName().toStdString(), chapterFormatOf(chapterFormat_)));
    const QString path = QFileDialog::getOpenFileName(this, q(kOpenChapterDialogTitle), QDir(folder).filePath(proposed),
                                                      dialogFilter(kChapterFileFilter));
    if (path.isEmpty()) return;
    importChapters(path);
    sgPlayListMark_->setFocus();
}

void PlaylistTab::saveChapterClick() {
    if (!hasPlayItems()) return;
    const QString work = workDir_ ? workDir_() : QString();
    const QString proposed = q(proposedChapterFileName(currentName().toStdString(), chapterFormatOf(chapterFormat_)));
    QFileDialog dialog(this, q(kSaveChapterDialogTitle), work, dialogFilter(kChapterFileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("txt");
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    exportChapters(dialog.selectedFiles().front());
    sgPlayListMark_->setFocus();
}

bool PlaylistTab::importChapters(const QString& path) {
    if (!hasPlayItems()) return false;
    const auto imported = importChapterFile(model_, fs::path(path.toStdString()), chapterFormatOf(chapterFormat_), log_);
    if (!imported) {
        log_.erlog(imported.error().message);
        return false;
    }
    if (imported->chapters == 0) return true;
    showMarks(std::max(markRow(), 0));
    edited();
    return true;
}

bool PlaylistTab::exportChapters(const QString& path) {
    if (!hasPlayItems()) return false;
    const Status written = exportChapterFile(fs::path(path.toStdString()), model_, chapterFormatOf(chapterFormat_));
    if (!written) {
        log_.erlog(written.error().message);
        return false;
    }
    return true;
}

// ---- STN ----

std::optional<StreamRef> PlaylistTab::selectedStream() const {
    const int playItem = currentRow(sgPLitem_);
    const int row = currentRow(sgStreamEntry_);
    if (!selectedPlayItem() || streamEntries_->isReset() || row < 0) return std::nullopt;
    return StreamRef{static_cast<std::size_t>(playItem), selectedKind(), static_cast<std::size_t>(row)};
}

void PlaylistTab::showStn(int selectRow) {
    const TPlayItem* item = selectedPlayItem();
    if (!item) return;
    const int column = static_cast<int>(selectedKind());
    {
        const Filling filling(filling_);
        fillGrid(stnCounts_, sgSTN_, stnGrid(item->STN_table));
        sgSTN_->setCurrentIndex(stnCounts_->index(0, column));
    }
    sgSTNClick();
    if (selectRow > 0 && !streamEntries_->isReset() && selectRow < streamEntries_->rowCount()) {
        {
            const Filling filling(filling_);
            sgStreamEntry_->selectRow(selectRow);
        }
        sgStreamEntryClick();
    }
}

void PlaylistTab::streamEdited(bool changed) {
    if (!changed) return;
    showStn(currentRow(sgStreamEntry_));
    edited();
}

void PlaylistTab::insertStream() {
    if (!selectedPlayItem()) return;
    const int playItem = currentRow(sgPLitem_);
    const int row = currentRow(sgStreamEntry_);
    const std::optional<std::size_t> selected =
        streamEntries_->isReset() || row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row));
    const auto added = navelo::insertStream(model_, static_cast<std::size_t>(playItem), selectedKind(), selected);
    if (!added) return;
    playItems_->setRow(playItem, playItemRow(static_cast<std::size_t>(playItem), model_.PlayList.PlayItems[static_cast<std::size_t>(playItem)]));
    showStn(static_cast<int>(*added));
    edited();
}

void PlaylistTab::deleteStream() {
    const auto ref = selectedStream();
    if (!ref) return;
    const auto deletion = navelo::deleteStream(model_, *ref);
    if (!deletion) return;
    showStn(deletion->selectRow ? static_cast<int>(*deletion->selectRow) : 0);
    edited();
}

// ---- SubPaths ----

void PlaylistTab::showSubPathEditor() {
    const TSubPath* path = selectedSubPath();
    enableEditors();
    if (!path) return;
    const auto view = showSubPath(model_, static_cast<std::size_t>(currentRow(sgSubPath_)));
    if (!view) return;
    selectIndex(cbSubPathType_, view->typeIndex);
    if (!view->typeHint.empty()) cbSubPathType_->setToolTip(q(view->typeHint));
    selectIndex(cbSPrepeat_, view->repeatIndex);
    cbSPrepeat_->setEnabled(view->repeatEnabled);
}

void PlaylistTab::insertSubPath() {
    if (!hasPlayItems()) return;
    const int row = currentRow(sgSubPath_);
    const std::optional<std::size_t> selected =
        subPaths_->isReset() || row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row));
    const auto added = navelo::insertSubPath(model_, selected);
    if (!added) return;
    showSubPaths(static_cast<int>(*added));
    edited();
}

void PlaylistTab::deleteSubPath() {
    const TSubPath* path = selectedSubPath();
    if (!path) return;
    const auto deletion = navelo::deleteSubPath(model_, static_cast<std::size_t>(currentRow(sgSubPath_)));
    if (!deletion) return;
    showSubPaths(deletion->selectRow ? static_cast<int>(*deletion->selectRow) : 0);
    edited();
}

// ---- In-place editing ----

void PlaylistTab::playItemCellTyped(int row, int column, const QString& text) {
    if (row < 0 || row >= static_cast<int>(model_.PlayList.PlayItems.size())) return;
    const YesNoAnswer ask = [this](InTimeQuestion question) {
        const QString message = q(inTimeQuestionText(question));
        if (answer_) return answer_(message);
        return QMessageBox::question(this, "Confirm", message, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    const auto edit = editPlayItemCell(model_, static_cast<std::size_t>(row), column, text.toStdString(), ask);
    const auto index = static_cast<std::size_t>(row);
    playItems_->setRow(row, playItemRow(index, model_.PlayList.PlayItems[index]));
    if (!edit) {
        QMessageBox::critical(this, "Navelo", q(edit.error().message));
        return;
    }
    if (edit->subPlayItemsMoved && selectedSubPath()) {
        const int subRow = currentRow(sgSubPlayItem_);
        fillGrid(subPlayItems_, sgSubPlayItem_, subPlayItemGrid(*selectedSubPath()));
        {
            const Filling filling(filling_);
            sgSubPlayItem_->selectRow(std::clamp(subRow, 0, subPlayItems_->rowCount() - 1));
        }
        sgSubPlayItemClick();
    }
    if (edit->marksMoved) showMarks(markRow());
    if (edit->changed) edited();
}

void PlaylistTab::subPlayItemCellTyped(int row, int column, const QString& text) {
    const TSubPath* path = selectedSubPath();
    if (!path || row < 0 || row >= static_cast<int>(path->SubPlayItems.size())) return;
    const auto subPath = static_cast<std::size_t>(currentRow(sgSubPath_));
    const auto edit = editSubPlayItemCell(model_, subPath, static_cast<std::size_t>(row), column, text.toStdString());
    subPlayItems_->setRow(row, subPlayItemRow(static_cast<std::size_t>(row),
                                              model_.PlayList.SubPaths[subPath].SubPlayItems[static_cast<std::size_t>(row)]));
    if (edit.clipEntriesChanged) sgSubPlayItemClick();
    if (edit.changed) edited();
}

bool PlaylistTab::editMode(const QTableView* grid) const {
    if (grid == sgPLitem_) return cellModel(playItems_)->editable;
    if (grid == sgSubPlayItem_) return cellModel(subPlayItems_)->editable;
    return false;
}

void PlaylistTab::setEditMode(QTableView* grid, bool on) {
    CellEditModel* model = grid == sgPLitem_ ? cellModel(playItems_) : grid == sgSubPlayItem_ ? cellModel(subPlayItems_) : nullptr;
    if (!model) return;
    model->editable = on;
    if (on) {
        // The selection shrinks to its leftmost editable column, keeping its row.
        const int row = currentRow(grid);
        grid->setSelectionBehavior(QAbstractItemView::SelectItems);
        grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
        if (row >= 0) {
            const Filling filling(filling_);
            grid->setCurrentIndex(model->index(row, 1));
        }
    } else {
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        const int row = currentRow(grid);
        if (row >= 0) {
            const Filling filling(filling_);
            grid->selectRow(row);
        }
    }
}

void PlaylistTab::gridMenu(QTableView* grid, const QPoint& at) {
    grid->setFocus();
    QMenu menu(this);
    auto* group = new QActionGroup(&menu);
    QAction* edit = menu.addAction("Edit mode");
    QAction* readOnly = menu.addAction("Read only");
    for (QAction* a : {edit, readOnly}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    (editMode(grid) ? edit : readOnly)->setChecked(true);
    QAction* chosen = menu.exec(grid->viewport()->mapToGlobal(at));
    if (chosen == edit) setEditMode(grid, true);
    else if (chosen == readOnly) setEditMode(grid, false);
}

bool PlaylistTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Insert && key != Qt::Key_Delete) return QWidget::eventFilter(watched, event);
    const bool insert = key == Qt::Key_Insert;
    if (watched == sgPlayListMark_) insert ? insertMark() : deleteMarks();
    else if (watched == sgStreamEntry_) insert ? insertStream() : deleteStream();
    else if (watched == sgSubPath_) insert ? insertSubPath() : deleteSubPath();
    else return QWidget::eventFilter(watched, event);
    return true;
}

}  // namespace navelo::ui
