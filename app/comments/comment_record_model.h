#pragma once

#include <QAbstractTableModel>

class CommentDataSource;

// The grid's view of a data source's record set: the columns Author, Title, Genre and File,
// one row per record read so far (or per record, once the count is known), and an empty last
// row in which typing starts a new record. Edits go to the data source like edits in the
// record fields; rows are read as the grid scrolls to them.
class CommentRecordModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CommentRecordModel(CommentDataSource &source, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // The row of the empty line for a new record.
    int newRecordRow() const { return rows_; }

signals:
    // An edit in the grid could not be written; the data source's errorString() says why.
    void editFailed();

private:
    int recordRows() const;
    void readAgain();
    bool showAllRows();
    void showCurrentRow();

    CommentDataSource &source_;
    int rows_ = 0;
    int currentRow_ = -1;
    // A reset or an insertion is being announced.
    bool changing_ = false;
};
