#include "comments/comment_record_model.h"

#include "comments/comment_data_source.h"

#include <QScopedValueRollback>

namespace {

const QStringList kColumns = {QStringLiteral("Author"), QStringLiteral("Title"), QStringLiteral("Genre"),
                              QStringLiteral("File")};
constexpr int kRowsPerFetch = 256;

} // namespace

CommentRecordModel::CommentRecordModel(CommentDataSource &source, QObject *parent)
    : QAbstractTableModel(parent), source_(source)
{
    rows_ = recordRows();
    connect(&source, &CommentDataSource::recordSetChanged, this, &CommentRecordModel::readAgain);
    connect(&source, &CommentDataSource::currentChanged, this, &CommentRecordModel::showCurrentRow);
    connect(&source, &CommentDataSource::recordCountKnown, this, &CommentRecordModel::showAllRows);
    connect(&source, &CommentDataSource::recordsRead, this, &CommentRecordModel::showAllRows);
    connect(&source, &CommentDataSource::currentValuesChanged, this, [this] {
        const int row = source_.currentIndex();
        if (row >= 0 && row < rows_)
            emit dataChanged(index(row, 0), index(row, int(kColumns.size()) - 1));
    });
}

// A new record not yet written has its row too. While records are read between events only
// the ones read show: a row past them would be read at once, holding the program up.
int CommentRecordModel::recordRows() const
{
    if (!source_.isOpen())
        return 0;
    const std::optional<int> known = source_.isReading() ? std::nullopt : source_.knownRecordCount();
    return (known ? *known : source_.readRecordCount()) + (source_.isNewRecord() ? 1 : 0);
}

void CommentRecordModel::readAgain()
{
    const QScopedValueRollback changing(changing_, true);
    beginResetModel();
    rows_ = recordRows();
    currentRow_ = source_.currentIndex();
    endResetModel();
}

// Once the count is known every record has its row; they are read as they show.
bool CommentRecordModel::showAllRows()
{
    const int rows = recordRows();
    if (rows > rows_) {
        const QScopedValueRollback changing(changing_, true);
        beginInsertRows(QModelIndex(), rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        readAgain();
        return false;
    }
    return true;
}

// A move may have made the count known (moving to the last record asks the engine).
void CommentRecordModel::showCurrentRow()
{
    if (!showAllRows())
        return;
    for (const int row : {currentRow_, source_.currentIndex()}) {
        if (row >= 0 && row < rows_)
            emit dataChanged(index(row, 0), index(row, int(kColumns.size()) - 1));
    }
    currentRow_ = source_.currentIndex();
}

int CommentRecordModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !source_.isOpen() ? 0 : rows_ + 1;
}

int CommentRecordModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(kColumns.size());
}

QVariant CommentRecordModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole) || index.row() >= rows_)
        return QVariant();
    return source_.valueAt(index.row(), kColumns[index.column()]);
}

QVariant CommentRecordModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section < kColumns.size() ? QVariant(kColumns[section]) : QVariant();
    return section == rows_ ? QVariant(QStringLiteral("*")) : QVariant(section + 1);
}

Qt::ItemFlags CommentRecordModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? QAbstractTableModel::flags(index) | Qt::ItemIsEditable : Qt::NoItemFlags;
}

bool CommentRecordModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    const QString field = kColumns[index.column()];
    bool done = true;
    if (index.row() == rows_) {
        if (text.isEmpty())
            return false;
        done = source_.addNew();
    } else if (index.row() != source_.currentIndex()) {
        done = source_.moveTo(index.row());
    }
    done = done && source_.setValue(field, text);
    if (!done)
        emit editFailed();
    return done;
}

bool CommentRecordModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count <= 0)
        return false;
    // From the last one up, so the positions of the ones still to go stay as they were.
    for (int at = std::min(row + count, rows_) - 1; at >= row; --at) {
        if (!((at == source_.currentIndex() || source_.moveTo(at)) && source_.deleteCurrent())) {
            emit editFailed();
            return false;
        }
    }
    return true;
}

// More to show while the count is unknown, or once it is known (the navigation bar counts in
// the background) beyond the rows shown. Not while this model announces a change: rows
// inserted then would be a change inside a change. Nor while records are read between
// events: their rows follow as they are read.
bool CommentRecordModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !changing_ && source_.isOpen() && !source_.isReading()
           && (!source_.knownRecordCount() || recordRows() > rows_);
}

// Rows the rest of a slice cannot read follow between events.
void CommentRecordModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    if (!source_.knownRecordCount())
        source_.readMoreInSlices(kRowsPerFetch);
    showAllRows();
}
