#pragma once

#include <QAbstractListModel>

#include <cstdint>
#include <string>
#include <string_view>
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
    void append(std::string_view line);
    std::string_view line(int row) const;

    void suspendUpdates();
    void resumeUpdates();
    bool updatesSuspended() const { return suspended_; }

private:
    std::size_t lineCount() const { return ends_.size(); }
    void storeLine(std::string_view line);
    void clearLines();

    // Every line's bytes back to back, and where each line ends: one
    // allocation per growth step instead of one per line, which matters at
    // a million lines.
    std::string bytes_;
    std::vector<std::uint64_t> ends_;
    bool suspended_ = false;
};
