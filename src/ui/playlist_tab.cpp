#include "ui/playlist_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
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
    lMExtDat_ = new QLabel;
    lMExtDat_->setObjectName("lMExtDat");
    bMExtDatEdit_ = new QPushButton("Edit");
    bMExtDatEdit_->setObjectName("bMExtDatEdit");
    bMExtDatEdit_->setToolTip("Edit the ExtensionData() of the PlayList");
    bMExtDatEdit_->setEnabled(false);
    h->addWidget(new QLabel("ExtensionData:"));
    h->addWidget(lMExtDat_);
    h->addWidget(bMExtDatEdit_);
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

    playItems_ = new TextGridModel(kPlayItemGridHeader, this);
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

    subPlayItems_ = new TextGridModel(kSubPlayItemGridHeader, this);
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
    sgPlayListMarkClick();
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
    if (const auto view = showSubPath(model_, static_cast<std::size_t>(currentRow(sgSubPath_)))) {
        selectIndex(cbSubPathType_, view->typeIndex);
        if (!view->typeHint.empty()) cbSubPathType_->setToolTip(q(view->typeHint));
        selectIndex(cbSPrepeat_, view->repeatIndex);
    }
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

}  // namespace navelo::ui
