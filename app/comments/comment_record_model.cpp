#include "comments/comment_record_model.h"

#include "comments/comment_data_source.h"

#include <QScopedValueRollback>

namespace {

const QStringList kColumns = {QStringLiteral("Author"), QStringLiteral("Title"), QStringLiteral("Genre"),
                              QStringLiteral("File")};
constexpr int kRowsPerFetch = 256;

} // namespace

CommentRecordModel::CommentRecordModel(CommentDataSource &source, QObject *parent)
    : QAbstractTableModel(parent), m_source(source)
{
    m_rows = recordRows();
    connect(&source, &CommentDataSource::recordSetChanged, this, &CommentRecordModel::readAgain);
    connect(&source, &CommentDataSource::currentChanged, this, &CommentRecordModel::showCurrentRow);
    connect(&source, &CommentDataSource::recordCountKnown, this, &CommentRecordModel::showAllRows);
    connect(&source, &CommentDataSource::currentValuesChanged, this, [this] {
        const int row = m_source.currentIndex();
        if (row >= 0 && row < m_rows)
            emit dataChanged(index(row, 0), index(row, int(kColumns.size()) - 1));
    });
}

// A new record not yet written has its row too.
int CommentRecordModel::recordRows() const
{
    if (!m_source.isOpen())
        return 0;
    const std::optional<int> known = m_source.knownRecordCount();
    return (known ? *known : m_source.readRecordCount()) + (m_source.isNewRecord() ? 1 : 0);
}

void CommentRecordModel::readAgain()
{
    const QScopedValueRollback changing(m_changing, true);
    beginResetModel();
    m_rows = recordRows();
    m_currentRow = m_source.currentIndex();
    endResetModel();
}

// Once the count is known every record has its row; they are read as they show.
bool CommentRecordModel::showAllRows()
{
    const int rows = recordRows();
    if (rows > m_rows) {
        const QScopedValueRollback changing(m_changing, true);
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
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
    for (const int row : {m_currentRow, m_source.currentIndex()}) {
        if (row >= 0 && row < m_rows)
            emit dataChanged(index(row, 0), index(row, int(kColumns.size()) - 1));
    }
    m_currentRow = m_source.currentIndex();
}

int CommentRecordModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_source.isOpen() ? 0 : m_rows + 1;
}

int CommentRecordModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(kColumns.size());
}

QVariant CommentRecordModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole) || index.row() >= m_rows)
        return QVariant();
    return m_source.valueAt(index.row(), kColumns[index.column()]);
}

QVariant CommentRecordModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section < kColumns.size() ? QVariant(kColumns[section]) : QVariant();
    return section == m_rows ? QVariant(QStringLiteral("*")) : QVariant(section + 1);
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
    if (index.row() == m_rows) {
        if (text.isEmpty())
            return false;
        done = m_source.addNew();
    } else if (index.row() != m_source.currentIndex()) {
        done = m_source.moveTo(index.row());
    }
    done = done && m_source.setValue(field, text);
    if (!done)
        emit editFailed();
    return done;
}

bool CommentRecordModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count <= 0)
        return false;
    // From the last one up, so the positions of the ones still to go stay as they were.
    for (int at = std::min(row + count, m_rows) - 1; at >= row; --at) {
        if (!((at == m_source.currentIndex() || m_source.moveTo(at)) && m_source.deleteCurrent())) {
            emit editFailed();
            return false;
        }
    }
    return true;
}

// More to show while the count is unknown, or once it is known (the navigation bar counts in
// the background) beyond the rows shown. Not while this model announces a change: rows
// inserted then would be a change inside a change.
bool CommentRecordModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_changing && m_source.isOpen()
           && (!m_source.knownRecordCount() || recordRows() > m_rows);
}

void CommentRecordModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    m_source.readMore(kRowsPerFetch);
    showAllRows();
}
