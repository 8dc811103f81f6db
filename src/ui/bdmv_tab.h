#pragma once
// The BDMV tab: the folder field, index.bdmv (first playback, top menu,
// titles) and MovieObject.bdmv (objects and their commands).
#include <QWidget>
#include <functional>

#include "core/load/load_sequence.h"
#include "navigation/command_codec.h"
#include "core/log.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTableView;
class QToolButton;
class QVBoxLayout;

namespace navelo::ui {

class TextGridModel;
class CommandGridModel;

class BdmvTab : public QWidget {
    Q_OBJECT
public:
    explicit BdmvTab(Log& log, QWidget* parent = nullptr);

    QLineEdit* folderField() const { return eBDMVdir_; }
    QString folderText() const;
    // "Auto Read" decides whether choosing a folder also loads it.
    void setAutoRead(std::function<bool()> autoRead) { autoRead_ = std::move(autoRead); }
    // Program list export: the preselected format and the output folder come from the options.
    void setProgramListOptions(std::function<int()> format, std::function<QString()> workDir) {
        programFormat_ = std::move(format);
        workDir_ = std::move(workDir);
    }

    // Empties every view of this tab (start of a load).
    void resetViews();
    // Fills the views from a finished load.
    void showDisc(LoadedDisc* disc);

    int selectedObject() const;
    int selectedTitle() const;
    void selectObject(int index);  // setObjectSG
    void sgObjectClick();
    void sgTitlesClick();
    void cbTitleNoChange();
    bool hasNavigationData() const;
    int objectPanelHeight() const;
    void setObjectPanelHeight(int height);

    // The selected object's commands, or nullptr.
    const std::vector<NavigationCommand>* selectedCommands() const;
    // Row `row` of the command grid as rendered (nullptr outside the list).
    const RenderedCommand* commandRow(int row) const;
    void selectCommandRow(int row);
    int selectedCommand() const;

    // Editing (each keeps every length and start address of the models consistent).
    void sgCommandsClick();
    void insertCommandLine();
    void deleteCommandLines();
    void commandsDoubleClick();
    void insertObject();
    void deleteObjects();
    void insertTitleLine();
    void deleteTitleLines();
    void saveProgramList(const QString& file, bool binary);

signals:
    void readRequested();
    // An object was shown in the command grid.
    void objectShown(int index, bool hasCommands);
    void commandClicked(int row);
    // Something was inserted, deleted or changed: the window re-checks Save and Start.
    void modelsEdited();
    // A command names a PlayList to show (its name, and a PlayItem row when given).
    void playListRequested(const QString& name, int playItemRow);
    void bdjoRequested(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFolderRow(QWidget* page);
    void buildCommandEditor(QVBoxLayout* layout);
    void connectEditors();
    void showCommandInEditor();
    void refreshCommandRow(int row);
    void afterCommandEdit(int row);
    void reloadCommands(int selectRow);
    std::pair<int, int> selectedRange(QTableView* grid) const;
    void refreshTitleRow(int title);
    void refreshAllTitleRows(int from);
    void refreshObjectRows(int from);
    void showEntries();
    void entrySwitched(int entry);
    void bbSaveCommandsClick();
    QGroupBox* buildIndexGroup();
    QGroupBox* buildObjectGroup();
    QGroupBox* buildCommandGroup();
    void refreshLabels();
    void chooseFolder();

    Log& log_;
    LoadedDisc* disc_ = nullptr;
    std::function<bool()> autoRead_;
    std::function<int()> programFormat_;
    std::function<QString()> workDir_;

    QLineEdit* eBDMVdir_;
    QToolButton* bbOpenDir_;
    QPushButton* bReadBDMV_;

    QLineEdit* eContent_;
    QCheckBox* cbFPBon_;
    QComboBox* cbFPBtype_;
    QComboBox* cbFPBTitlePBtype_;
    QComboBox* cbFPBObject_;
    QComboBox* cbFPBFile_;
    QCheckBox* cbTMon_;
    QComboBox* cbTMtype_;
    QComboBox* cbTMObject_;
    QComboBox* cbTMFile_;
    QTableView* sgTitles_;
    TextGridModel* titles_;
    QComboBox* cbTitleNo_;
    QComboBox* cbTitleOT_;
    QComboBox* cbTitleAT_;
    QComboBox* cbTitlePBT_;
    QComboBox* cbTitleOID_;
    QComboBox* cbTitleFN_;
    QToolButton* bbTiins_;
    QToolButton* bbTidel_;
    QLabel* lIndexExtDat_;
    QPushButton* bEditIndexExtDat_;
    QLabel* lTitlenum_;
    QGroupBox* gbSound_;

    QSplitter* objectSplitter_;
    QWidget* pObjects_;
    QTableView* sgObject_;
    TextGridModel* objects_;
    QComboBox* cbResume_;
    QComboBox* cbMenuCall_;
    QComboBox* cbTitleSearch_;
    QToolButton* bbObins_;
    QToolButton* bbObdel_;
    QLabel* lObjects_;
    QLabel* lObjExtDat_;
    QPushButton* bEditObjExtDat_;
    QTableView* sgCommands_;
    CommandGridModel* commands_;

    QLineEdit* heOCH_;
    QLineEdit* heDEH_;
    QLineEdit* heSOH_;
    QComboBox* cbCmdGrp_;
    QComboBox* cbCmdSGrp_;
    QComboBox* cbCmd_;
    QCheckBox* cbOP1on_;
    QCheckBox* cbOP2on_;
    QComboBox* cbOP1_;
    QComboBox* cbOp2_;
    QLineEdit* ieOp1_;
    QLineEdit* ieOp2_;
    QToolButton* bbNCins_;
    QToolButton* bbNCdel_;
    QPushButton* bbSaveCommands_;
};

}  // namespace navelo::ui
