#pragma once

#include <QAbstractListModel>

#include <string>
#include <vector>

// The lines of the card list, held as the files' CP932 bytes and decoded
// only for the rows a view asks for. While updates are suspended the lines
// change without notifying views; resuming sends a single reset, so filling
// a million lines costs one reset instead of a million row inserts.
class CardListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit CardListModel(QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void clear();
    void append(std::string line);
    const std::string& line(int row) const { return lines_.at(static_cast<std::size_t>(row)); }

    void suspendUpdates();
    void resumeUpdates();
    bool updatesSuspended() const { return suspended_; }

private:
    std::vector<std::string> lines_;
    bool suspended_ = false;
};
