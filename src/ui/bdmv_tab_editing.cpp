// The BDMV tab's editors: commands field by field, command lines, movie
// objects, titles, first playback and top menu. Every edit is a core
// operation on the models; this file only wires controls and redraws.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "navigation/command_editing.h"
#include "navigation/navigation_rows.h"
#include "navigation/object_title_editing.h"
#include "navigation/program_list.h"
#include "ui/bdmv_tab.h"
#include "ui/grid_models.h"
#include "ui/widgets.h"

namespace navelo::ui {

namespace {

QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString hex8(std::uint32_t v) { return q(hexUpper(v, 8)); }

QLineEdit* hexField(const char* name, const char* hint) {
    auto* e = new QLineEdit;
    e->setObjectName(name);
    e->setToolTip(hint);
    e->setMaxLength(8);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9A-Fa-f]{0,8}"), e));
    e->setFixedWidth(e->fontMetrics().horizontalAdvance("000000000") + 14);
    return e;
}

template <typename Items>
void fillItems(QComboBox* combo, const Items& items, int selected) {
    const QSignalBlocker block(combo);
    combo->clear();
    for (const auto& item : items) combo->addItem(q(item));
    selectIndex(combo, selected);
}

}  // namespace

void BdmvTab::buildCommandEditor(QVBoxLayout* layout) {
    heOCH_ = hexField("heOCH", "Opcode");
    heDEH_ = hexField("heDEH", "Destination");
    heSOH_ = hexField("heSOH", "Source");
    cbCmdGrp_ = makeCombo("cbCmdGrp", "Command Group");
    cbCmdSGrp_ = makeCombo("cbCmdSGrp", "Command Sub-Group");
    cbCmd_ = makeCombo("cbCmd", "Command Option");
    setItems(cbCmdGrp_, kCommandGroupItems);
    cbOP1on_ = new QCheckBox;
    cbOP1on_->setObjectName("cbOP1on");
    cbOP1on_->setToolTip("Operand 1 (destination) present");
    cbOP2on_ = new QCheckBox;
    cbOP2on_->setObjectName("cbOP2on");
    cbOP2on_->setToolTip("Operand 2 (source) present");
    cbOP1_ = makeCombo("cbOP1", "Destination Type");
    cbOp2_ = makeCombo("cbOp2", "Source Type");
    setItems(cbOP1_, kOperandTypeItems);
    setItems(cbOp2_, kOperandTypeItems);
    ieOp1_ = new QLineEdit;
    ieOp1_->setObjectName("ieOp1");
    ieOp1_->setToolTip("Destination");
    ieOp1_->setMaxLength(10);
    ieOp2_ = new QLineEdit;
    ieOp2_->setObjectName("ieOp2");
    ieOp2_->setToolTip("Source");
    ieOp2_->setMaxLength(11);
    for (QLineEdit* e : {ieOp1_, ieOp2_}) e->setFixedWidth(e->fontMetrics().horizontalAdvance("00000000000") + 14);
    bbNCins_ = new QToolButton;
    bbNCins_->setObjectName("bbNCins");
    bbNCins_->setText("+");
    bbNCins_->setToolTip("Insert a line after selected line(s)");
    bbNCdel_ = new QToolButton;
    bbNCdel_->setObjectName("bbNCdel");
    bbNCdel_->setText("-");
    bbNCdel_->setToolTip("Delete the selected line(s)");
    bbSaveCommands_ = new QPushButton("Program list...");
    bbSaveCommands_->setObjectName("bbSaveCommands");
    bbSaveCommands_->setToolTip("Save program list");
    bbSaveCommands_->setEnabled(false);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Words"), 0, 0);
    grid->addWidget(heOCH_, 0, 1);
    grid->addWidget(heDEH_, 0, 2);
    grid->addWidget(heSOH_, 0, 3);
    grid->addWidget(cbCmdGrp_, 0, 4);
    grid->addWidget(cbCmdSGrp_, 0, 5);
    grid->addWidget(cbCmd_, 0, 6);
    grid->addWidget(new QLabel("Destination"), 1, 0);
    auto* op1 = new QHBoxLayout;
    op1->addWidget(cbOP1on_);
    op1->addWidget(cbOP1_);
    op1->addWidget(ieOp1_);
    grid->addLayout(op1, 1, 1, 1, 2);
    auto* op2 = new QHBoxLayout;
    op2->addWidget(new QLabel("Source"));
    op2->addWidget(cbOP2on_);
    op2->addWidget(cbOp2_);
    op2->addWidget(ieOp2_);
    grid->addLayout(op2, 1, 3, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bbNCins_);
    buttons->addWidget(bbNCdel_);
    buttons->addWidget(bbSaveCommands_);
    grid->addLayout(buttons, 1, 6);
    grid->setColumnStretch(7, 1);
    layout->addLayout(grid);
}

void BdmvTab::connectEditors() {
    // Commands: user actions only, so showing a command never changes it.
    connect(sgCommands_, &QTableView::clicked, this, [this](const QModelIndex& at) {
        sgCommandsClick();
        emit commandClicked(at.row());
    });
    connect(sgCommands_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { showCommandInEditor(); });
    connect(sgCommands_, &QTableView::doubleClicked, this, [this] { commandsDoubleClick(); });
    auto editCommand = [this](auto&& change) {
        NavigationCommand* c = disc_ ? commandAt(disc_->movieObject, selectedObject() < 0 ? std::nullopt : std::optional<std::size_t>(selectedObject()),
                                                 selectedCommand() < 0 ? std::nullopt : std::optional<std::size_t>(selectedCommand()))
                                     : nullptr;
        if (!c) return;
        change(*c);
        afterCommandEdit(selectedCommand());
    };
    connect(cbCmdGrp_, &QComboBox::activated, this, [=, this](int i) { editCommand([i](NavigationCommand& c) { chooseGroup(c, static_cast<unsigned>(i)); }); });
    connect(cbCmdSGrp_, &QComboBox::activated, this, [=, this](int i) { editCommand([i](NavigationCommand& c) { chooseSubGroup(c, static_cast<unsigned>(i)); }); });
    connect(cbCmd_, &QComboBox::activated, this, [=, this](int i) { editCommand([i](NavigationCommand& c) { chooseOption(c, static_cast<unsigned>(i)); }); });
    connect(cbOP1on_, &QCheckBox::clicked, this, [=, this](bool on) { editCommand([on](NavigationCommand& c) { switchOperand(c, Operand::Destination, on); }); });
    connect(cbOP2on_, &QCheckBox::clicked, this, [=, this](bool on) { editCommand([on](NavigationCommand& c) { switchOperand(c, Operand::Source, on); }); });
    connect(cbOP1_, &QComboBox::activated, this, [=, this](int i) {
        editCommand([i](NavigationCommand& c) { chooseOperandType(c, Operand::Destination, static_cast<OperandType>(i)); });
    });
    connect(cbOp2_, &QComboBox::activated, this, [=, this](int i) {
        editCommand([i](NavigationCommand& c) { chooseOperandType(c, Operand::Source, static_cast<OperandType>(i)); });
    });
    auto valueLeft = [=, this](QLineEdit* field, Operand operand, QComboBox* type) {
        connect(field, &QLineEdit::editingFinished, this, [=, this] {
            if (!field->isModified()) return;
            field->setModified(false);
            editCommand([=, this](NavigationCommand& c) {
                enterOperandValue(c, operand, operandValueFromText(field->text().toStdString()), static_cast<OperandType>(std::max(0, type->currentIndex())));
            });
        });
    };
    valueLeft(ieOp1_, Operand::Destination, cbOP1_);
    valueLeft(ieOp2_, Operand::Source, cbOp2_);
    auto wordLeft = [=, this](QLineEdit* field, CommandWord word) {
        connect(field, &QLineEdit::editingFinished, this, [=, this] {
            if (!field->isModified()) return;
            field->setModified(false);
            editCommand([=, this](NavigationCommand& c) { enterWord(c, word, readHexLenient(field->text().toStdString())); });
        });
    };
    wordLeft(heOCH_, CommandWord::Opword);
    wordLeft(heDEH_, CommandWord::Destination);
    wordLeft(heSOH_, CommandWord::Source);
    // Enter in a word or value field returns to the grid, which stores the field.
    for (QLineEdit* e : {heOCH_, heDEH_, heSOH_, ieOp1_, ieOp2_}) {
        connect(e, &QLineEdit::returnPressed, this, [this] { sgCommands_->setFocus(); });
    }
    connect(bbNCins_, &QToolButton::clicked, this, &BdmvTab::insertCommandLine);
    connect(bbNCdel_, &QToolButton::clicked, this, &BdmvTab::deleteCommandLines);
    connect(bbSaveCommands_, &QPushButton::clicked, this, &BdmvTab::bbSaveCommandsClick);

    // Movie objects.
    connect(sgObject_, &QTableView::clicked, this, [this] { sgObjectClick(); });
    auto flagEdit = [this](QComboBox* combo, ObjectFlag flag) {
        connect(combo, &QComboBox::activated, this, [=, this](int i) {
            const int o = selectedObject();
            if (!disc_ || o < 0 || !setObjectFlag(disc_->movieObject, static_cast<std::size_t>(o), flag, i)) return;
            objects_->setRow(o, objectRow(static_cast<std::size_t>(o), disc_->movieObject.objects.mobjs[static_cast<std::size_t>(o)]));
        });
    };
    flagEdit(cbResume_, ObjectFlag::Resume);
    flagEdit(cbMenuCall_, ObjectFlag::MenuCall);
    flagEdit(cbTitleSearch_, ObjectFlag::TitleSearch);
    connect(bbObins_, &QToolButton::clicked, this, &BdmvTab::insertObject);
    connect(bbObdel_, &QToolButton::clicked, this, &BdmvTab::deleteObjects);

    // Titles.
    connect(sgTitles_, &QTableView::clicked, this, [this] { sgTitlesClick(); });
    connect(sgTitles_, &QTableView::doubleClicked, this, [this] {
        const int t = selectedTitle();
        if (!disc_ || t < 0 || disc_->index.indexes.Titles[static_cast<std::size_t>(t)].isHdmv()) return;
        emit bdjoRequested(cbTitleFN_->currentText());
    });
    connect(cbTitleNo_, &QComboBox::currentIndexChanged, this, [this] { cbTitleNoChange(); });
    auto titleEdit = [this](QComboBox* combo, auto&& change) {
        connect(combo, &QComboBox::activated, this, [=, this](int i) {
            const int t = selectedTitle();
            if (!disc_ || t < 0 || !change(disc_->index, static_cast<std::size_t>(t), i)) return;
            refreshTitleRow(t);
            cbTitleNoChange();
        });
    };
    titleEdit(cbTitleOT_, [](TINDX& x, std::size_t t, int i) { return setTitleObjectType(x, t, i); });
    titleEdit(cbTitleAT_, [](TINDX& x, std::size_t t, int i) { return setTitleAccessType(x, t, i); });
    titleEdit(cbTitlePBT_, [](TINDX& x, std::size_t t, int i) { return setTitlePlaybackType(x, t, i); });
    titleEdit(cbTitleOID_, [](TINDX& x, std::size_t t, int i) { return i >= 0 && setTitleObjectId(x, t, static_cast<std::size_t>(i)); });
    titleEdit(cbTitleFN_, [this](TINDX& x, std::size_t t, int) { return setTitleFileName(x, t, cbTitleFN_->currentText().toStdString()); });
    connect(bbTiins_, &QToolButton::clicked, this, &BdmvTab::insertTitleLine);
    connect(bbTidel_, &QToolButton::clicked, this, &BdmvTab::deleteTitleLines);

    // First playback and top menu.
    connect(cbFPBon_, &QCheckBox::clicked, this, [this] { entrySwitched(0); });
    connect(cbTMon_, &QCheckBox::clicked, this, [this] { entrySwitched(1); });
    auto entryEdit = [this](QComboBox* combo, IndexEntry entry, auto&& change) {
        connect(combo, &QComboBox::activated, this, [=, this](int i) {
            if (!disc_ || !disc_->indexRead) return;
            change(disc_->index, entry, i);
            showEntries();
            refreshLabels();
        });
    };
    auto objectChoice = [](int i) { return i < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(i)); };
    entryEdit(cbFPBtype_, IndexEntry::FirstPlayback, [](TINDX& x, IndexEntry e, int i) { setEntryType(x, e, i); });
    entryEdit(cbTMtype_, IndexEntry::TopMenu, [](TINDX& x, IndexEntry e, int i) { setEntryType(x, e, i); });
    entryEdit(cbFPBTitlePBtype_, IndexEntry::FirstPlayback, [](TINDX& x, IndexEntry, int i) { setFirstPlaybackPlaybackType(x, i); });
    entryEdit(cbFPBObject_, IndexEntry::FirstPlayback, [=, this](TINDX& x, IndexEntry e, int i) { setEntryObject(x, e, objectChoice(i)); });
    entryEdit(cbTMObject_, IndexEntry::TopMenu, [=, this](TINDX& x, IndexEntry e, int i) { setEntryObject(x, e, objectChoice(i)); });
    // Picking an object of an HDMV entry shows that object.
    for (QComboBox* c : {cbFPBObject_, cbTMObject_}) {
        connect(c, &QComboBox::activated, this, [this](int i) {
            if (i >= 0) selectObject(i);
        });
    }

    for (QTableView* g : {sgCommands_, sgObject_, sgTitles_}) g->installEventFilter(this);
}

int BdmvTab::selectedCommand() const {
    if (commands_->isReset()) return -1;
    const auto current = sgCommands_->currentIndex();
    if (current.isValid()) return current.row();
    const auto rows = sgCommands_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

std::pair<int, int> BdmvTab::selectedRange(QTableView* grid) const {
    const auto rows = grid->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        const int r = grid->currentIndex().isValid() ? grid->currentIndex().row() : -1;
        return {r, r};
    }
    int first = rows.first().row(), last = first;
    for (const auto& r : rows) {
        first = std::min(first, r.row());
        last = std::max(last, r.row());
    }
    return {first, last};
}

void BdmvTab::sgCommandsClick() { showCommandInEditor(); }

void BdmvTab::showCommandInEditor() {
    const auto* program = selectedCommands();
    const int r = selectedCommand();
    const bool have = program && r >= 0 && r < static_cast<int>(program->size());
    for (QWidget* w : std::initializer_list<QWidget*>{heOCH_, cbCmdGrp_, cbCmdSGrp_, cbCmd_, cbOP1on_, cbOP2on_}) w->setEnabled(have);
    if (!have) {
        for (QWidget* w : std::initializer_list<QWidget*>{heDEH_, heSOH_, cbOP1_, cbOp2_, ieOp1_, ieOp2_}) w->setEnabled(false);
        sgCommands_->setToolTip(q(kCommandGridHint));
        return;
    }
    const CommandEditorView v = showCommand((*program)[static_cast<std::size_t>(r)]);
    heOCH_->setText(hex8(v.opword));
    heDEH_->setText(hex8(v.destination));
    heSOH_->setText(hex8(v.source));
    {
        const QSignalBlocker b(cbCmdGrp_);
        selectIndex(cbCmdGrp_, v.groupIndex);
    }
    fillItems(cbCmdSGrp_, v.subGroupItems, v.subGroupIndex);
    fillItems(cbCmd_, v.optionItems, v.optionIndex);
    cbOP1on_->setChecked(v.operand1On);
    cbOP2on_->setChecked(v.operand2On);
    for (QWidget* w : std::initializer_list<QWidget*>{cbOP1_, ieOp1_, heDEH_}) w->setEnabled(v.operand1On);
    for (QWidget* w : std::initializer_list<QWidget*>{cbOp2_, ieOp2_, heSOH_}) w->setEnabled(v.operand2On);
    selectIndex(cbOP1_, static_cast<int>(v.operand1Type));
    selectIndex(cbOp2_, static_cast<int>(v.operand2Type));
    ieOp1_->setText(QString::number(v.operand1Value));
    ieOp2_->setText(QString::number(v.operand2Value));
    sgCommands_->setToolTip(q(v.gridHint));
}

void BdmvTab::refreshCommandRow(int row) { commands_->refreshRow(row); }

void BdmvTab::afterCommandEdit(int row) {
    refreshCommandRow(row);
    showCommandInEditor();
    // The annotation of a forbidden or invalid command is part of the row: repaint it.
    sgCommands_->viewport()->update();
}

void BdmvTab::reloadCommands(int selectRow) {
    const int o = selectedObject();
    if (!disc_ || o < 0) return;
    const Tmobject& obj = disc_->movieObject.objects.mobjs[static_cast<std::size_t>(o)];
    if (obj.navigation_commands.empty()) {
        commands_->reset();
        setGridEnabled(sgCommands_, false);
    } else {
        commands_->setCommands(&obj.navigation_commands);
        setGridEnabled(sgCommands_, true);
        selectCommandRow(std::clamp(selectRow, 0, static_cast<int>(obj.navigation_commands.size()) - 1));
    }
    objects_->setRow(o, objectRow(static_cast<std::size_t>(o), obj));
    bbSaveCommands_->setEnabled(!obj.navigation_commands.empty());
    showCommandInEditor();
    emit objectShown(o, !obj.navigation_commands.empty());
    emit modelsEdited();
}

void BdmvTab::insertCommandLine() {
    const int o = selectedObject();
    if (!disc_ || o < 0) return;
    const auto [first, last] = selectedRange(sgCommands_);
    (void)first;
    const auto edit = insertCommand(disc_->movieObject, static_cast<std::size_t>(o),
                                    commands_->isReset() || last < 0 ? std::nullopt : std::optional<std::size_t>(last));
    if (edit) reloadCommands(static_cast<int>(edit->selectRow));
}

void BdmvTab::deleteCommandLines() {
    const int o = selectedObject();
    if (!disc_ || o < 0 || commands_->isReset()) return;
    const auto [first, last] = selectedRange(sgCommands_);
    if (first < 0) return;
    const auto edit = deleteCommands(disc_->movieObject, static_cast<std::size_t>(o), static_cast<std::size_t>(first), static_cast<std::size_t>(last));
    if (edit) reloadCommands(static_cast<int>(edit->selectRow));
}

void BdmvTab::commandsDoubleClick() {
    const auto* program = selectedCommands();
    const int r = selectedCommand();
    if (!program || r < 0 || r >= static_cast<int>(program->size())) return;
    const NavigationCommand& c = (*program)[static_cast<std::size_t>(r)];
    const std::uint32_t d = c.destination;
    auto playList = [this](std::uint32_t number, int playItem) { emit playListRequested(q(zeroPad(number, 5)), playItem); };
    switch (c.opword) {
        case kGotoImmediateOpword:
            if (d < program->size()) selectCommandRow(static_cast<int>(d));
            showCommandInEditor();
            break;
        case 0x21810000:
        case 0x21830000:
            if (d > 0 && d < 1000 && disc_ && d <= disc_->index.indexes.Titles.size()) {
                sgTitles_->selectRow(static_cast<int>(d) - 1);
                sgTitlesClick();
                selectCommandRow(0);
            }
            break;
        case 0x22000000:
            // A register PlayList number is known when the line before moved an immediate into that register.
            if (r > 0 && (*program)[static_cast<std::size_t>(r - 1)].opword == 0x50400001 &&
                (*program)[static_cast<std::size_t>(r - 1)].destination == d) {
                playList((*program)[static_cast<std::size_t>(r - 1)].source, -1);
            }
            break;
        case 0x22800000:
        case 0x42810000:
        case 0x42820000:
        case 0x42C20000:
            playList(d, -1);
            break;
        case 0x42C10000:
            playList(d, static_cast<int>(c.source));
            break;
        default:
            break;
    }
}

void BdmvTab::refreshObjectRows(int from) {
    if (!disc_) return;
    const auto& mobjs = disc_->movieObject.objects.mobjs;
    if (mobjs.empty()) {
        objects_->reset();
        setGridEnabled(sgObject_, false);
        return;
    }
    if (objects_->isReset() || objects_->rowCount() != static_cast<int>(mobjs.size())) {
        objects_->setRows(objectGrid(disc_->movieObject).rows);
        setGridEnabled(sgObject_, true);
        return;
    }
    for (std::size_t i = static_cast<std::size_t>(std::max(0, from)); i < mobjs.size(); ++i) objects_->setRow(static_cast<int>(i), objectRow(i, mobjs[i]));
}

void BdmvTab::insertObject() {
    if (!disc_ || !disc_->movieObjectRead) return;
    const auto [first, last] = selectedRange(sgObject_);
    (void)first;
    const auto at = insertMovieObject(disc_->movieObject, objects_->isReset() || last < 0 ? std::nullopt : std::optional<std::size_t>(last));
    if (!at) return;
    refreshObjectRows(static_cast<int>(*at));
    for (QWidget* w : std::initializer_list<QWidget*>{cbResume_, cbMenuCall_, cbTitleSearch_}) w->setEnabled(true);
    sgObject_->selectRow(static_cast<int>(*at));
    refreshLabels();
    emit modelsEdited();
}

void BdmvTab::deleteObjects() {
    if (!disc_ || !disc_->movieObjectRead || objects_->isReset()) {
        refreshLabels();
        return;
    }
    const auto [first, last] = selectedRange(sgObject_);
    if (first < 0) return;
    const auto deletion = deleteMovieObjects(disc_->movieObject, disc_->index, static_cast<std::size_t>(first), static_cast<std::size_t>(last));
    if (!deletion) return;
    refreshObjectRows(static_cast<int>(deletion->firstRenumberedRow));
    for (const auto& cell : deletion->titleCells) {
        auto row = titleRow(disc_->index.indexes.Titles[cell.title]);
        row[4] = cell.text;
        titles_->setRow(static_cast<int>(cell.title), row);
    }
    if (disc_->movieObject.objects.mobjs.empty()) {
        for (QWidget* w : std::initializer_list<QWidget*>{cbResume_, cbMenuCall_, cbTitleSearch_}) w->setEnabled(false);
        commands_->reset();
        setGridEnabled(sgCommands_, false);
    } else if (deletion->selectRow) {
        selectObject(static_cast<int>(*deletion->selectRow));
    }
    refreshLabels();
    logObjectDeletion(log_, *deletion);
    emit modelsEdited();
}

void BdmvTab::refreshTitleRow(int title) {
    if (!disc_ || title < 0 || title >= static_cast<int>(disc_->index.indexes.Titles.size())) return;
    titles_->setRow(title, titleRow(disc_->index.indexes.Titles[static_cast<std::size_t>(title)]));
}

void BdmvTab::refreshAllTitleRows(int from) {
    if (!disc_) return;
    const auto& titles = disc_->index.indexes.Titles;
    {
        const QSignalBlocker block(cbTitleNo_);
        const int keep = cbTitleNo_->currentIndex();
        cbTitleNo_->clear();
        for (std::size_t i = 0; i < titles.size(); ++i) cbTitleNo_->addItem(QString::number(i + 1));
        selectIndex(cbTitleNo_, keep);
    }
    if (titles.empty()) {
        titles_->reset();
        setGridEnabled(sgTitles_, false);
        for (QWidget* w : std::initializer_list<QWidget*>{cbTitleNo_, cbTitleOT_, cbTitleOID_, cbTitleAT_, cbTitlePBT_, cbTitleFN_}) w->setEnabled(false);
        return;
    }
    if (titles_->isReset() || titles_->rowCount() != static_cast<int>(titles.size())) {
        titles_->setRows(titleGrid(disc_->index).rows);
        setGridEnabled(sgTitles_, true);
        return;
    }
    for (std::size_t i = static_cast<std::size_t>(std::max(0, from)); i < titles.size(); ++i) refreshTitleRow(static_cast<int>(i));
}

void BdmvTab::insertTitleLine() {
    if (!disc_ || !disc_->indexRead) return;
    const auto [first, last] = selectedRange(sgTitles_);
    (void)first;
    const auto at = insertTitle(disc_->index, titles_->isReset() || last < 0 ? std::nullopt : std::optional<std::size_t>(last));
    if (!at) return;
    refreshAllTitleRows(static_cast<int>(*at));
    for (QWidget* w : std::initializer_list<QWidget*>{cbTitleNo_, cbTitleAT_, cbTitlePBT_}) w->setEnabled(true);
    cbTitleOT_->setEnabled(disc_->bdjoFolder && !disc_->bdjoFiles.empty());
    sgTitles_->selectRow(static_cast<int>(*at));
    cbTitleNo_->setCurrentIndex(static_cast<int>(*at));
    refreshLabels();
    emit modelsEdited();
}

void BdmvTab::deleteTitleLines() {
    if (!disc_ || !disc_->indexRead || titles_->isReset()) {
        refreshLabels();
        return;
    }
    const auto [first, last] = selectedRange(sgTitles_);
    if (first < 0) return;
    const auto deletion = deleteTitles(disc_->index, static_cast<std::size_t>(first), static_cast<std::size_t>(last));
    if (!deletion) return;
    refreshAllTitleRows(static_cast<int>(deletion->firstRenumberedRow));
    if (deletion->selectRow) {
        sgTitles_->selectRow(static_cast<int>(*deletion->selectRow));
        sgTitlesClick();
    }
    refreshLabels();
    emit modelsEdited();
}

void BdmvTab::sgTitlesClick() {
    if (!disc_ || titles_->isReset()) return;
    const auto current = sgTitles_->currentIndex();
    const int row = current.isValid() ? current.row() : 0;
    cbTitleNo_->setCurrentIndex(row);
    cbTitleNoChange();
    if (const auto object = objectOfTitle(disc_->index, disc_->movieObject, static_cast<std::size_t>(row))) {
        selectObject(static_cast<int>(*object));
    }
    if (isVisible()) sgTitles_->setFocus();
}

void BdmvTab::cbTitleNoChange() {
    if (!disc_ || titles_->isReset()) return;
    const int i = cbTitleNo_->currentIndex();
    const std::size_t objects = disc_->movieObjectRead ? disc_->movieObject.objects.mobjs.size() : 0;
    const auto view = i < 0 ? std::nullopt : showTitle(disc_->index, static_cast<std::size_t>(i), objects);
    if (!view) return;
    selectIndex(cbTitleOT_, view->objectTypeIndex);
    selectIndex(cbTitleAT_, view->accessTypeIndex);
    selectIndex(cbTitlePBT_, view->playbackTypeIndex);
    cbTitleOID_->setEnabled(view->objectIdEnabled);
    if (view->objectIdEnabled) selectIndex(cbTitleOID_, view->objectIdIndex);
    cbTitleFN_->setEnabled(view->fileNameEnabled);
    if (view->fileNameEnabled) {
        const auto& t = disc_->index.indexes.Titles[static_cast<std::size_t>(i)];
        cbTitleFN_->setCurrentIndex(cbTitleFN_->findText(q(latin1ToUtf8(t.bdjo_file_name))));
    }
    if (sgTitles_->currentIndex().row() != i) sgTitles_->selectRow(i);
}

void BdmvTab::showEntries() {
    if (!disc_ || !disc_->indexRead) return;
    const std::size_t objects = disc_->movieObjectRead ? disc_->movieObject.objects.mobjs.size() : 0;
    const bool bdjFiles = disc_->bdjoFolder && !disc_->bdjoFiles.empty();
    struct Controls {
        IndexEntry entry;
        QCheckBox* on;
        QComboBox* type;
        QComboBox* playback;
        QComboBox* object;
        QComboBox* file;
    };
    for (const Controls& c : {Controls{IndexEntry::FirstPlayback, cbFPBon_, cbFPBtype_, cbFPBTitlePBtype_, cbFPBObject_, cbFPBFile_},
                              Controls{IndexEntry::TopMenu, cbTMon_, cbTMtype_, nullptr, cbTMObject_, cbTMFile_}}) {
        const EntryEditorView v = showEntry(disc_->index, c.entry, objects);
        c.on->setChecked(v.on);
        selectIndex(c.type, v.typeIndex);
        c.type->setEnabled(v.on && (bdjFiles || v.typeIndex == 1));
        if (c.playback) {
            selectIndex(c.playback, v.playbackTypeIndex);
            c.playback->setEnabled(v.on);
        }
        selectIndex(c.object, v.objectIndex);
        c.object->setEnabled(v.objectListEnabled);
        c.file->setEnabled(v.fileListEnabled);
        if (!v.fileName.empty()) c.file->setCurrentIndex(c.file->findText(q(v.fileName)));
    }
}

void BdmvTab::entrySwitched(int which) {
    if (!disc_ || !disc_->indexRead) return;
    const IndexEntry entry = which == 0 ? IndexEntry::FirstPlayback : IndexEntry::TopMenu;
    QCheckBox* on = which == 0 ? cbFPBon_ : cbTMon_;
    QComboBox* type = which == 0 ? cbFPBtype_ : cbTMtype_;
    QComboBox* object = which == 0 ? cbFPBObject_ : cbTMObject_;
    const int objectIndex = object->currentIndex();
    switchEntry(disc_->index, entry, on->isChecked(), std::max(0, type->currentIndex()),
                objectIndex < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(objectIndex)));
    showEntries();
    refreshLabels();
}

void BdmvTab::bbSaveCommandsClick() {
    const int o = selectedObject();
    if (!disc_ || o < 0) return;
    const bool binaryFirst = programFormat_ && programFormat_() == 1;
    const QString list = "List (*.lst)", binary = "Binary (*.bin)";
    QString filter = binaryFirst ? binary : list;
    QFileDialog dialog(this, q(kProgramListDialogTitle), workDir_ ? workDir_() : QString(),
                       binaryFirst ? binary + ";;" + list : list + ";;" + binary);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(binaryFirst ? "bin" : "lst");
    dialog.selectFile(q(proposedProgramListName(static_cast<std::size_t>(o))));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) { dialog.setDefaultSuffix(f.contains("bin") ? "bin" : "lst"); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    saveProgramList(dialog.selectedFiles().front(), dialog.selectedNameFilter() == binary);
    sgCommands_->setFocus();
}

void BdmvTab::saveProgramList(const QString& file, bool binary) {
    const int o = selectedObject();
    if (!disc_ || o < 0) return;
    const auto saved = navelo::saveProgramList(file.toStdString(), disc_->movieObject.objects.mobjs[static_cast<std::size_t>(o)],
                                               binary ? ProgramFormat::Binary : ProgramFormat::List);
    if (!saved) QMessageBox::critical(this, "Navelo", q(saved.error().message));
}

bool BdmvTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool shift = key->modifiers() & Qt::ShiftModifier;
    if (watched == sgCommands_) {
        if (key->key() == Qt::Key_Insert) {
            insertCommandLine();
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            deleteCommandLines();
            return true;
        }
        if (key->key() == Qt::Key_A && (key->modifiers() & Qt::ControlModifier)) {
            sgCommands_->selectAll();
            return true;
        }
        if (key->key() == Qt::Key_N && shift) {
            const int o = selectedObject(), r = selectedCommand();
            if (disc_ && o >= 0 && r >= 0) {
                if (const auto next = makeNop(disc_->movieObject, static_cast<std::size_t>(o), static_cast<std::size_t>(r))) {
                    refreshCommandRow(r);
                    selectCommandRow(static_cast<int>(*next));
                    showCommandInEditor();
                }
            }
            return true;
        }
    } else if (watched == sgTitles_) {
        if (key->key() == Qt::Key_Insert) {
            insertTitleLine();
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            deleteTitleLines();
            return true;
        }
    } else if (watched == sgObject_) {
        if (key->key() == Qt::Key_Insert) {
            insertObject();
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            deleteObjects();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace navelo::ui
