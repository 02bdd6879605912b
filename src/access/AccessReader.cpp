#include "AccessReader.h"

#include "AccessFile.h"
#include "AccessValues.h"
#include "db/ColumnTypes.h"
#include "db/DbError.h"
#include "declaration/Windows1252.h"

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

// The result types of a calculated column that the reading decodes.
const QSet<int> kCalculatedResultTypes{MDB_BOOL,  MDB_BYTE,  MDB_INT,    MDB_LONGINT,
                                       MDB_MONEY, MDB_FLOAT, MDB_DOUBLE, MDB_DATETIME,
                                       MDB_TEXT,  MDB_MEMO,  MDB_REPID,  MDB_NUMERIC};
// The types of stored columns that the reading decodes: those of the reading library but the
// attachments and multi-value lists.
const QSet<int> kStoredTypes{MDB_BOOL,  MDB_BYTE,   MDB_INT,      MDB_LONGINT, MDB_MONEY,
                             MDB_FLOAT, MDB_DOUBLE, MDB_DATETIME, MDB_BINARY,  MDB_TEXT,
                             MDB_OLE,   MDB_MEMO,   MDB_REPID,    MDB_NUMERIC};
// Access 2016's Date/Time Extended, which the reading library does not know.
constexpr int kDateTimeExtended = 0x14;
// The bytes that a calculated column adds around a text.
constexpr int kCalculatedWrapping = 23;

}  // namespace

bool AccessColumn::isKept() const {
    return (calculated ? kCalculatedResultTypes : kStoredTypes).contains(type);
}

QString AccessColumn::leftOutReason() const {
    if (calculated)
        return QStringLiteral("es calculada y su resultado es de un tipo que la lectura no conoce");
    switch (type) {
        case MDB_COMPLEX:
            return QStringLiteral("es de datos adjuntos o de varios valores");
        case kDateTimeExtended:
            return QStringLiteral("es de tipo Fecha/Hora extendida, que la lectura de Access no conoce");
        default:
            return QStringLiteral("es de un tipo (%1) que la lectura de Access no conoce").arg(type);
    }
}

QString AccessColumn::sqliteType() const {
    switch (type) {
        case MDB_TEXT:
            return ColumnTypes::textOfSize(size);
        case MDB_MEMO:
            return ColumnTypes::kText;
        case MDB_BOOL:
        case MDB_BYTE:
        case MDB_INT:
        case MDB_LONGINT:
            return ColumnTypes::kInteger;
        case MDB_NUMERIC:  // a calculated one has a scale of its own in each value
            return scale == 0 && !calculated ? ColumnTypes::kInteger : ColumnTypes::kReal;
        case MDB_MONEY:
        case MDB_FLOAT:
        case MDB_DOUBLE:
            return ColumnTypes::kReal;
        case MDB_DATETIME:
        case MDB_REPID:
            return ColumnTypes::kExactText;
        default:
            return ColumnTypes::kBlob;
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

    /**
     * The table of that name, not a form, report or query named like it:
     * Access files often have those. Names compare without regard to case, as
     * Access compares them.
     */
    MdbCatalogEntry* tableEntry(const QString& name) const {
        for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (entry->object_type == MDB_TABLE &&
                libraryText(entry->object_name).compare(name, Qt::CaseInsensitive) == 0)
                return entry;
        }
        return nullptr;
    }

    AccessTable describe(MdbCatalogEntry* entry) const;
    AccessColumn describe(const MdbColumn& column, int position) const;
    void readRows(const AccessTable& table, const std::function<void(const QVariantList&)>& onRow) const;
    QVariant value(const AccessColumn& column, const MdbField& field) const;
    QVariant calculatedValue(int resultType, const MdbField& field) const;
    QVariant storedValue(int type, const QByteArray& stored, int scale) const;
    QByteArray longValue(const MdbField& field) const;
    QString text(const QByteArray& stored) const;
};

AccessColumn AccessReader::OpenFile::describe(const MdbColumn& column, int position) const {
    // libmdb reads a Decimal's precision into col_scale and its scale into col_prec.
    AccessColumn described{libraryText(column.name), column.col_type, column.col_size, column.col_prec,
                           position};
    // A calculated column has its expression among its properties, and its result's type.
    if (mdb_col_get_prop(&column, "Expression")) {
        const char* resultType = mdb_col_get_prop(&column, "ResultType");
        described.calculated = true;
        described.type = resultType ? QByteArray(resultType).toInt() : 0;
        described.scale = 0;
        if (described.type == MDB_TEXT)
            described.size -= kCalculatedWrapping;
    }
    // Jet 4 and ACE keep a text in UTF-16, two bytes a character.
    if (described.type == MDB_TEXT && !jet3)
        described.size /= 2;
    return described;
}

AccessTable AccessReader::OpenFile::describe(MdbCatalogEntry* entry) const {
    const TableDef def(mdb_read_table(entry));
    if (!def.table || !mdb_read_columns(def.table))
        fail(QStringLiteral("la tabla %1 está dañada").arg(libraryText(entry->object_name)));
    AccessTable table;
    table.name = libraryText(entry->object_name);
    table.rowCount = def.table->num_rows;
    for (unsigned int i = 0; i < def.table->num_cols; ++i)
        table.columns.append(describe(*static_cast<MdbColumn*>(g_ptr_array_index(def.table->columns, i)),
                                      static_cast<int>(i)));
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
    // Windows-1252, the code page of Spanish Access 97 files, is the program's
    // own table: Qt has none on Windows. Another code page is Qt's where Qt
    // has it, and read as Windows-1252 where not.
    if (codec == "windows-1252")
        return Windows1252::decode(stored);
    QStringDecoder decoder(codec.constData());
    return decoder.isValid() ? decoder.decode(stored) : Windows1252::decode(stored);
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

QVariant AccessReader::OpenFile::value(const AccessColumn& column, const MdbField& field) const {
    if (column.calculated)
        return calculatedValue(column.type, field);
    if (column.type == MDB_BOOL)  // a Yes/No lives in the row's null mask
        return QVariant::fromValue<qlonglong>(field.is_null ? 0 : -1);
    if (field.is_null)
        return {};
    switch (column.type) {
        case MDB_MEMO:
            return text(longValue(field));
        case MDB_OLE:
            return longValue(field);
        default:
            return storedValue(column.type, QByteArray(static_cast<const char*>(field.value), field.siz),
                               column.scale);
    }
}

// A calculated column keeps its result in a wrapping, even a Yes/No, and a Memo inside its long value.
QVariant AccessReader::OpenFile::calculatedValue(int resultType, const MdbField& field) const {
    if (field.is_null)
        return resultType == MDB_BOOL ? QVariant::fromValue<qlonglong>(0) : QVariant();
    const QByteArray stored = resultType == MDB_MEMO
                                  ? longValue(field)
                                  : QByteArray(static_cast<const char*>(field.value), field.siz);
    const QByteArray data = AccessValues::calculatedData(stored);
    switch (resultType) {
        case MDB_BOOL:
            return QVariant::fromValue<qlonglong>(!data.isEmpty() && data[0] != 0 ? -1 : 0);
        case MDB_NUMERIC:
            return AccessValues::calculatedDecimal(data);
        case MDB_MEMO:
            return text(data);
        default:
            return storedValue(resultType, data, 0);
    }
}

// A value from the bytes its type stores in the row; Null when they are too few for the type.
QVariant AccessReader::OpenFile::storedValue(int type, const QByteArray& stored, int scale) const {
    const char* at = stored.constData();
    const auto holds = [&](qsizetype size) { return stored.size() >= size; };
    switch (type) {
        case MDB_BYTE:
            return holds(1) ? QVariant::fromValue<qlonglong>(static_cast<unsigned char>(at[0])) : QVariant();
        case MDB_INT:
            return holds(2) ? QVariant::fromValue<qlonglong>(littleEndian<qint16>(at)) : QVariant();
        case MDB_LONGINT:
            return holds(4) ? QVariant::fromValue<qlonglong>(littleEndian<qint32>(at)) : QVariant();
        case MDB_FLOAT:
            return holds(4) ? QVariant(static_cast<double>(littleEndian<float>(at))) : QVariant();
        case MDB_DOUBLE:
            return holds(8) ? QVariant(littleEndian<double>(at)) : QVariant();
        case MDB_MONEY:
            return holds(8) ? QVariant(AccessValues::currency(littleEndian<qint64>(at))) : QVariant();
        case MDB_NUMERIC:
            return AccessValues::decimal(stored, scale);
        case MDB_DATETIME:
            return holds(8) ? QVariant(AccessValues::dateText(littleEndian<double>(at))) : QVariant();
        case MDB_REPID:
            return holds(16) ? QVariant(AccessValues::replicationId(stored)) : QVariant();
        case MDB_TEXT:
            return text(stored);
        default:
            return stored;
    }
}

void AccessReader::OpenFile::readRows(const AccessTable& table,
                                      const std::function<void(const QVariantList&)>& onRow) const {
    MdbCatalogEntry* entry = tableEntry(table.name);
    const TableDef def(entry ? mdb_read_table(entry) : nullptr);
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
            row.append(value(column, fields[static_cast<size_t>(column.position)]));
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
    MdbCatalogEntry* entry = m_file->tableEntry(name);
    if (!entry)
        return {};
    return m_file->describe(entry);
}

void AccessReader::readRows(const AccessTable& table,
                            const std::function<void(const QVariantList&)>& onRow) const {
    m_file->readRows(table, onRow);
}
