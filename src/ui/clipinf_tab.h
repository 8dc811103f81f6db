#pragma once
// The CLIPINF tab: the disc's clip list. Reading clip information comes with
// the clip views; the list already receives jumps from PlayLists.
#include <QWidget>
#include <string>
#include <vector>

class QComboBox;
class QPushButton;

namespace navelo::ui {

class ClipinfTab : public QWidget {
    Q_OBJECT
public:
    explicit ClipinfTab(QWidget* parent = nullptr);

    void setClips(const std::vector<std::string>& names);
    void setListEnabled(bool enabled);
    // Selects the first entry spelled exactly like name; none (and false) when there is no such entry.
    bool selectClip(const QString& name);
    QComboBox* clipList() const { return cbClipinf_; }

private:
    QComboBox* cbClipinf_;
    QPushButton* bReadCI_;
};

}  // namespace navelo::ui
