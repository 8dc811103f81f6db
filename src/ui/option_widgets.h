#pragma once
// Small controls the Options tab is built from: a titled group of radio
// buttons addressed by item index, and a colour selector button.
#include <QColor>
#include <QGroupBox>
#include <QStringList>
#include <QToolButton>

class QButtonGroup;
class QRadioButton;

namespace navelo::ui {

// Items are numbered from 0 in the order given; exactly one is selected.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, Qt::Orientation orientation,
               QWidget* parent = nullptr);

    int itemIndex() const;
    // Indices outside the items are ignored.
    void setItemIndex(int index);
    QRadioButton* item(int index) const;
    int count() const;

signals:
    void itemIndexChanged(int index);

private:
    QButtonGroup* buttons_;
};

// Shows its colour as a swatch beside the caption; a click opens the colour dialog.
class ColourSelector : public QToolButton {
    Q_OBJECT
public:
    explicit ColourSelector(const QString& caption, QWidget* parent = nullptr);

    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);

signals:
    void colourChanged(const QColor& colour);

private:
    void choose();
    void updateSwatch();

    QColor colour_{Qt::black};
};

}  // namespace navelo::ui
