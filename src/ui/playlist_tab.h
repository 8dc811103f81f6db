#pragma once
// The PLAYLIST tab: the PlayList list, AppInfoPlayList, the PlayItems with
// their angles and STN tables, the SubPaths with their SubPlayItems, the
// PlayListMarks and the ExtensionData caption of the PlayList last read.
#include <QWidget>
#include <array>
#include <optional>
#include <functional>
#include <string>
#include <vector>

#include "core/log.h"
#include "core/save.h"
#include "playlist/playlist_model.h"
#include "playlist/playlist_rows.h"
#include "playlist/stn_editing.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPoint;
class QPushButton;
class QSplitter;
class QTableView;
class QToolButton;

namespace navelo::ui {

class TextGridModel;

class PlaylistTab : public QWidget {
    Q_OBJECT
public:
    explicit PlaylistTab(Log& log, QWidget* parent = nullptr);

    // "Auto Read" decides whether choosing a PlayList in the list also reads it.
    void setAutoRead(std::function<bool()> autoRead) { autoRead_ = std::move(autoRead); }
    // The BDMV folder the PlayLists are read from (with or without a final separator).
    void setFolder(std::function<std::string()> folder) { folder_ = std::move(folder); }
    // The "Chapter format" option (item index) and the work folder ("" when none).
    void setChapterOptions(std::function<int()> format, std::function<QString()> workDir) {
        chapterFormat_ = std::move(format);
        workDir_ = std::move(workDir);
    }
    // Answers the Yes/No questions of an IN-time change; a message box unless set.
    void setQuestionAnswer(std::function<bool(const QString&)> answer) { answer_ = std::move(answer); }

    // A new folder is being loaded: the views are reset and the PlayList held
    // so far is dropped, so that Save cannot write it into another disc.
    void resetViews();
    // Fills the PlayList list after a load and selects the first entry (without reading it).
    void setPlaylists(const std::vector<std::string>& names);
    // The list and its Read button follow whether index.bdmv could be read.
    void setListEnabled(bool enabled);

    // bReadPLClick: reads the PlayList selected in the list.
    void readSelected();
    // Selects the list entry of that name; false (and no change) when the list has none.
    bool selectPlaylist(const QString& name);
    void selectPlayItemRow(int row);
    // plsave: writes the held PlayList under the selected name into PLAYLIST.
    bool plsave(const SaveOptions& options, const std::string& bdmvFolder);

    QString currentName() const;
    bool hasPlayItems() const { return model_.PlayList.number_of_PlayItems != 0; }
    const TMPLS& model() const { return model_; }

    // ---- Edits, as the buttons and keys make them ----
    void insertMark();
    void deleteMarks();
    void insertStream();
    void deleteStream();
    void insertSubPath();
    void deleteSubPath();
    // The chapter file operations behind the file dialogs.
    bool importChapters(const QString& path);
    bool exportChapters(const QString& path);
    // The grid edit switch of sgPLitem and sgSubPlayItem.
    void setEditMode(QTableView* grid, bool on);
    bool editMode(const QTableView* grid) const;

    // Heights of the three groups, kept between runs.
    int playListHeight() const;
    int subPathHeight() const;
    int playListMarkHeight() const;
    void setGroupHeights(int playList, int subPath, int playListMark);

    // Refreshes of the dependent views, for the selected rows.
    void sgPLitemClick();
    void sgSTNClick();
    void sgStreamEntryClick();
    void sgSubPathClick();
    void sgSubPlayItemClick();
    void sgPlayListMarkClick();
    // Jump to the clip of a row: sgPLitem, sgPIangles, sgSubPlayItem or sgAngles.
    void clipDoubleClick(QTableView* grid);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // A PlayList was read (or a read failed): Save follows the held PlayList.
    void playListRead();
    // The user chose another PlayList: the Save hint names it.
    void selectionChanged();
    // The held PlayList was edited: Save follows it.
    void modelsEdited();
    // A double click names a clip to show on the CLIPINF tab.
    void clipRequested(const QString& name);

private:
    QWidget* buildListRow();
    QGroupBox* buildAppInfoGroup();
    QGroupBox* buildPlayListGroup();
    QGroupBox* buildStnGroup();
    QGroupBox* buildSubPathGroup();
    QGroupBox* buildPlayListMarkGroup();
    QWidget* buildExtensionDataGroup();
    void connectViews();
    void connectEditors();
    void edited();
    void showUOFields();
    void showUOBoxes();
    void enableEditors();
    void showStn(int selectRow);
    void streamEdited(bool changed);
    void markTimeLeft();
    void redrawMark(int row);
    void showSubPathEditor();
    void playItemCellTyped(int row, int column, const QString& text);
    void subPlayItemCellTyped(int row, int column, const QString& text);
    void loadChapterClick();
    void saveChapterClick();
    void gridMenu(QTableView* grid, const QPoint& at);
    int markRow() const;
    std::optional<StreamRef> selectedStream() const;
    void cbPlaylistChange();

    void showAppInfo();
    void showPlayItems(int selectRow);
    void showSubPaths(int selectRow);
    void showMarks(int selectRow);
    void showProgress(std::uint64_t fileSize);
    void hideStreamEditors();
    StreamKind selectedKind() const;
    const TPlayItem* selectedPlayItem() const;
    const TSubPath* selectedSubPath() const;

    Log& log_;
    bool filling_ = false;  // the tab is selecting rows itself
    std::function<bool()> autoRead_;
    std::function<std::string()> folder_;
    std::function<int()> chapterFormat_;
    std::function<QString()> workDir_;
    std::function<bool(const QString&)> answer_;
    TMPLS model_;

    QComboBox* cbPlaylist_;
    QPushButton* bReadPL_;

    QComboBox* cbAIpbt_;
    QLineEdit* ieAIpbc_;
    QCheckBox* cbAIRA_;
    QCheckBox* cbAIBM_;
    QCheckBox* cbAIAM_;
    QLineEdit* heAIUO_;
    QLineEdit* heAIUO2_;
    std::array<QCheckBox*, 32> cbUO_{};
    QCheckBox* cbUO2_30_;

    QSplitter* groups_;
    QSplitter* playItemSplit_;
    bool playItemSplitPlaced_ = false;
    std::array<int, 3> groupHeights_{};
    QGroupBox* gbPLayList_;
    QGroupBox* gbSubPath_;
    QGroupBox* gbPlayListMark_;

    TextGridModel* playItems_;
    QTableView* sgPLitem_;
    TextGridModel* playItemAngles_;
    QTableView* sgPIangles_;
    TextGridModel* stnCounts_;
    QTableView* sgSTN_;
    TextGridModel* streamEntries_;
    QTableView* sgStreamEntry_;
    QComboBox* coEntryType_;
    QLineEdit* heMainPID_;
    QLineEdit* ieSubPath_;
    QLineEdit* ieSubClip_;
    QLineEdit* heSubPID_;
    QComboBox* coVideo_;
    QComboBox* coResol_;
    QComboBox* coFrmRate_;
    QComboBox* coAudio_;
    QComboBox* coAuType_;
    QComboBox* coFreq_;
    QComboBox* coLang_;
    QToolButton* bbInsSTN_;
    QToolButton* bbDelSTN_;

    TextGridModel* subPaths_;
    QTableView* sgSubPath_;
    QComboBox* cbSubPathType_;
    QComboBox* cbSPrepeat_;
    QToolButton* bbSPins_;
    QToolButton* bbSPdel_;
    TextGridModel* subPlayItems_;
    QTableView* sgSubPlayItem_;
    TextGridModel* clipEntries_;
    QTableView* sgAngles_;

    TextGridModel* marks_;
    QTableView* sgPlayListMark_;
    QComboBox* cmPLMtype_;
    QLineEdit* iePLMPI_;
    QLineEdit* iePLMhour_;
    QLineEdit* iePLMmin_;
    QLineEdit* iePLMsec_;
    QLineEdit* iePLMms_;
    QToolButton* bbPLMins_;
    QToolButton* bbPLMdel_;
    QToolButton* bbLoadChap_;
    QToolButton* bbSaveChap_;

    QLabel* lMExtDat_;
    QPushButton* bMExtDatEdit_;
};

}  // namespace navelo::ui
