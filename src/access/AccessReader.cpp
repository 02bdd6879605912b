#include "AccessReader.h"

#include "AccessFile.h"
#include "AccessValues.h"
#include "db/DbError.h"

#include <mdbtools.h>
#include <QStringDecoder>
#include <QtEndian>

#include <cstring>

namespace {

// libmdb keeps these two in its private header.
constexpr int kRowOffsetMask = 0x1fff;
constexpr int kMemoHeaderSize = 12;
constexpr quint32 kInlineLongValue = 0x80000000;
constexpr quint32 kSinglePageLongValue = 0x40000000;
constexpr quint32 kLongValueFlags = 0xff000000;
constexpr int kPrimaryKeyIndex = 1;

template <class T>
T littleEndian(const void* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return qFromLittleEndian(value);
}

QString libraryText(const char* text) {
    return QString::fromUtf8(text);
}

struct TableDef {
    explicit TableDef(MdbTableDef* def) : table(def) {}
    ~TableDef() {
        if (table)
            mdb_free_tabledef(table);
    }
    TableDef(const TableDef&) = delete;
    TableDef& operator=(const TableDef&) = delete;
    MdbTableDef* table;
};

}  // namespace

bool AccessColumn::isKept() const {
    return type != MDB_COMPLEX;
}

QString AccessColumn::sqliteType() const {
    switch (type) {
        case MDB_TEXT:
            return QStringLiteral("TEXT(%1) COLLATE NOCASE").arg(size);
        case MDB_MEMO:
            return QStringLiteral("TEXT COLLATE NOCASE");
        case MDB_BOOL:
        case MDB_BYTE:
        case MDB_INT:
        case MDB_LONGINT:
            return QStringLiteral("INTEGER");
        case MDB_NUMERIC:
            return scale == 0 ? QStringLiteral("INTEGER") : QStringLiteral("REAL");
        case MDB_MONEY:
        case MDB_FLOAT:
        case MDB_DOUBLE:
            return QStringLiteral("REAL");
        case MDB_DATETIME:
        case MDB_REPID:
            return QStringLiteral("TEXT");
        default:
            return QStringLiteral("BLOB");
    }
}

struct AccessReader::OpenFile {
    MdbHandle* mdb = nullptr;
    QString path;
    bool jet3 = false;
    QByteArray codec;

    ~OpenFile() {
        if (mdb)
            mdb_close(mdb);
    }

    [[noreturn]] void fail(const QString& what) const {
        throw unreadableAccessFile(path, what + QLatin1Char('.'));
    }

    MdbCatalogEntry* entry(const QString& name) const {
        const QByteArray utf8 = name.toUtf8();
        return mdb_get_catalogentry_by_name(mdb, utf8.constData());
    }

    AccessTable describe(MdbCatalogEntry* entry) const;
    void readRows(const AccessTable& table, const std::function<void(const QVariantList&)>& onRow) const;
    QVariant value(const MdbColumn& column, const MdbField& field) const;
    QByteArray longValue(const MdbField& field) const;
    QString text(const QByteArray& stored) const;
};

AccessTable AccessReader::OpenFile::describe(MdbCatalogEntry* entry) const {
    const TableDef def(mdb_read_table(entry));
    if (!def.table || !mdb_read_columns(def.table))
        fail(QStringLiteral("la tabla %1 está dañada").arg(libraryText(entry->object_name)));
    AccessTable table;
    table.name = libraryText(entry->object_name);
    table.rowCount = def.table->num_rows;
    for (unsigned int i = 0; i < def.table->num_cols; ++i) {
        const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(def.table->columns, i));
        // Jet 4 and ACE keep a text in UTF-16, two bytes a character.
        const int size = column->col_type == MDB_TEXT && !jet3 ? column->col_size / 2 : column->col_size;
        // libmdb reads a Decimal's precision into col_scale and its scale into col_prec.
        table.columns.append(
            {libraryText(column->name), column->col_type, size, column->col_prec, static_cast<int>(i)});
    }
    mdb_read_indices(def.table);  // fills table->indices; what it returns says nothing
    if (def.table->indices) {
        for (unsigned int i = 0; i < def.table->num_idxs; ++i) {
            const auto* index = static_cast<MdbIndex*>(g_ptr_array_index(def.table->indices, i));
            if (index->index_type != kPrimaryKeyIndex)
                continue;
            for (unsigned int key = 0; key < index->num_keys; ++key) {
                const int position = index->key_col_num[key] - 1;
                if (position >= 0 && position < table.columns.size())
                    table.primaryKey.append(table.columns[position].name);
            }
        }
    }
    return table;
}

QString AccessReader::OpenFile::text(const QByteArray& stored) const {
    if (!jet3)
        return AccessValues::unicodeText(stored);
    QStringDecoder decoder(codec.constData());
    if (!decoder.isValid())
        decoder = QStringDecoder("windows-1252");
    return decoder.decode(stored);
}

// A Memo or OLE value: a header of 12 bytes in the row, the data inline or in
// a chain of long-value rows elsewhere in the file.
QByteArray AccessReader::OpenFile::longValue(const MdbField& field) const {
    if (field.siz < kMemoHeaderSize)
        return {};
    const auto* header = static_cast<const char*>(field.value);
    const quint32 lengthAndFlags = littleEndian<quint32>(header);
    const quint32 length = lengthAndFlags & ~kLongValueFlags;
    if (lengthAndFlags & kInlineLongValue)
        return QByteArray(header + kMemoHeaderSize, field.siz - kMemoHeaderSize);
    qint32 pageRow = littleEndian<qint32>(header + 4);
    QByteArray data;
    const bool singlePage = (lengthAndFlags & kSinglePageLongValue) != 0;
    if (!singlePage && (lengthAndFlags & kLongValueFlags) != 0)
        fail(QStringLiteral("un valor largo tiene un formato desconocido"));
    while (pageRow != 0 && static_cast<quint32>(data.size()) < length) {
        void* page = nullptr;
        int offset = 0;
        size_t size = 0;
        if (mdb_find_pg_row(mdb, pageRow, &page, &offset, &size) != 0)
            fail(QStringLiteral("falta una página de un valor largo"));
        const char* row = static_cast<const char*>(page) + offset;
        if (singlePage)
            return QByteArray(row, static_cast<qsizetype>(size)).left(length);
        if (size < 4)
            break;
        data.append(row + 4, static_cast<qsizetype>(size - 4));
        pageRow = littleEndian<qint32>(row);
    }
    return data.left(length);
}

QVariant AccessReader::OpenFile::value(const MdbColumn& column, const MdbField& field) const {
    if (column.col_type == MDB_BOOL)  // a Yes/No lives in the row's null mask
        return QVariant::fromValue<qlonglong>(field.is_null ? 0 : -1);
    if (field.is_null)
        return {};
    const auto* at = static_cast<const char*>(field.value);
    const QByteArray stored(at, field.siz);
    switch (column.col_type) {
        case MDB_BYTE:
            return QVariant::fromValue<qlonglong>(static_cast<unsigned char>(at[0]));
        case MDB_INT:
            return QVariant::fromValue<qlonglong>(littleEndian<qint16>(at));
        case MDB_LONGINT:
            return QVariant::fromValue<qlonglong>(littleEndian<qint32>(at));
        case MDB_FLOAT:
            return static_cast<double>(littleEndian<float>(at));
        case MDB_DOUBLE:
            return littleEndian<double>(at);
        case MDB_MONEY:
            return AccessValues::currency(littleEndian<qint64>(at));
        case MDB_NUMERIC:
            return AccessValues::decimal(stored, column.col_prec);
        case MDB_DATETIME:
            return AccessValues::dateText(littleEndian<double>(at));
        case MDB_REPID:
            return AccessValues::replicationId(stored);
        case MDB_TEXT:
            return text(stored);
        case MDB_MEMO:
            return text(longValue(field));
        case MDB_OLE:
            return longValue(field);
        default:
            return stored;
    }
}

void AccessReader::OpenFile::readRows(const AccessTable& table,
                                      const std::function<void(const QVariantList&)>& onRow) const {
    const TableDef def(mdb_read_table(entry(table.name)));
    if (!def.table || !mdb_read_columns(def.table))
        fail(QStringLiteral("la tabla %1 está dañada").arg(table.name));
    std::vector<MdbField> fields(def.table->num_cols);
    mdb_rewind_table(def.table);
    while (mdb_fetch_row(def.table)) {
        int start = 0;
        size_t size = 0;
        if (mdb_find_row(mdb, static_cast<int>(def.table->cur_row) - 1, &start, &size) != 0)
            fail(QStringLiteral("una fila de la tabla %1 está dañada").arg(table.name));
        if (mdb_crack_row(def.table, start & kRowOffsetMask, size, fields.data()) < 0)
            fail(QStringLiteral("una fila de la tabla %1 está dañada").arg(table.name));
        QVariantList row;
        row.reserve(table.columns.size());
        for (const AccessColumn& column : table.columns) {
            if (!column.isKept())
                continue;
            const auto* def_column =
                static_cast<const MdbColumn*>(g_ptr_array_index(def.table->columns, column.position));
            row.append(value(*def_column, fields[static_cast<size_t>(column.position)]));
        }
        onRow(row);
    }
}

AccessReader::AccessReader(const QString& path) : m_path(path), m_file(std::make_unique<OpenFile>()) {
    m_file->path = path;
    const QByteArray local = path.toLocal8Bit();
    m_file->mdb = mdb_open(local.constData(), MDB_NOFLAGS);
    if (!m_file->mdb)
        m_file->fail(QStringLiteral("no es un archivo de Access o está dañado"));
    m_file->jet3 = m_file->mdb->f->jet_version == MDB_VER_JET3;
    m_file->codec = QByteArray("windows-") + QByteArray::number(m_file->mdb->f->code_page);
    if (!mdb_read_catalog(m_file->mdb, MDB_ANY))
        m_file->fail(QStringLiteral("su catálogo está dañado"));
    for (unsigned int i = 0; i < m_file->mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(m_file->mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
            m_tables.append(m_file->describe(entry));
    }
}

AccessReader::~AccessReader() = default;

AccessTable AccessReader::systemTable(const QString& name) const {
    MdbCatalogEntry* entry = m_file->entry(name);
    if (!entry || entry->object_type != MDB_TABLE)
        return {};
    return m_file->describe(entry);
}

void AccessReader::readRows(const AccessTable& table,
                            const std::function<void(const QVariantList&)>& onRow) const {
    m_file->readRows(table, onRow);
}
