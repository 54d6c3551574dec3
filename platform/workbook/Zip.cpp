#include "Zip.h"

#include "Workbook.h"

#include <algorithm>
#include <zip.h>

namespace wb::zip {
namespace {

QString zipErrorText(zip_error_t* error) {
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

// Closes an archive that was only read, or discards one whose writing failed.
struct ArchiveGuard {
    zip_t* archive = nullptr;
    ~ArchiveGuard() {
        if (archive)
            zip_discard(archive);
    }
};

// Deflate shrinks data at most about 1032 to 1: a part claiming more than this many times its
// compressed size, or parts larger than a template can hold, come from a damaged or crafted file
// and are refused before any memory is set aside for them.
constexpr zip_uint64_t kMaxRatio = 1100;
constexpr zip_uint64_t kMaxTotalBytes = zip_uint64_t(512) << 20;

bool plausibleSize(const zip_stat_t& st, zip_uint64_t& total) {
    if (st.size > kMaxTotalBytes - total)
        return false;
    if ((st.valid & ZIP_STAT_COMP_SIZE) && st.size > st.comp_size * kMaxRatio + 1024)
        return false;
    total += st.size;
    return true;
}

} // namespace

std::vector<Entry> read(const QByteArray& bytes, const QString& what) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (!source) {
        const QString text = zipErrorText(&error);
        zip_error_fini(&error);
        throw WorkbookError(QStringLiteral("無法讀取 %1：%2").arg(what, text));
    }
    ArchiveGuard guard{zip_open_from_source(source, ZIP_RDONLY, &error)};
    if (!guard.archive) {
        zip_source_free(source);
        const QString text = zipErrorText(&error);
        zip_error_fini(&error);
        throw WorkbookError(QStringLiteral("無法讀取 %1：%2").arg(what, text));
    }
    zip_error_fini(&error);

    std::vector<Entry> entries;
    const zip_int64_t count = zip_get_num_entries(guard.archive, 0);
    entries.reserve(size_t(std::max<zip_int64_t>(count, 0)));
    zip_uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(guard.archive, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) ||
            !(st.valid & ZIP_STAT_SIZE))
            throw WorkbookError(QStringLiteral("無法讀取 %1：壓縮檔內容損壞").arg(what));
        Entry e;
        e.name = st.name;
        if (!e.name.empty() && e.name.back() == '/')
            continue; // folder entries carry nothing
        if (!plausibleSize(st, total))
            throw WorkbookError(QStringLiteral("無法讀取 %1：壓縮檔內容損壞（%2 的大小不合理）")
                                    .arg(what, QString::fromStdString(e.name)));
        e.data.resize(qsizetype(st.size));
        zip_file_t* file = zip_fopen_index(guard.archive, zip_uint64_t(i), 0);
        if (!file)
            throw WorkbookError(
                QStringLiteral("無法讀取 %1：%2").arg(what, zipErrorText(zip_get_error(guard.archive))));
        const zip_int64_t got = zip_fread(file, e.data.data(), st.size);
        zip_fclose(file);
        if (got < 0 || zip_uint64_t(got) != st.size)
            throw WorkbookError(QStringLiteral("無法讀取 %1：壓縮檔內容損壞").arg(what));
        entries.push_back(std::move(e));
    }
    return entries;
}

QByteArray write(const std::vector<Entry>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer) {
        const QString text = zipErrorText(&error);
        zip_error_fini(&error);
        throw WorkbookError(QStringLiteral("無法建立活頁簿：%1").arg(text));
    }
    zip_source_keep(buffer); // read back after the archive is closed
    struct BufferGuard {
        zip_source_t* s;
        ~BufferGuard() { zip_source_free(s); }
    } bufferGuard{buffer};

    ArchiveGuard guard{zip_open_from_source(buffer, ZIP_TRUNCATE, &error)};
    if (!guard.archive) {
        const QString text = zipErrorText(&error);
        zip_error_fini(&error);
        throw WorkbookError(QStringLiteral("無法建立活頁簿：%1").arg(text));
    }
    zip_error_fini(&error);

    for (const Entry& e : entries) {
        zip_source_t* data =
            zip_source_buffer(guard.archive, e.data.constData(), zip_uint64_t(e.data.size()), 0);
        if (!data)
            throw WorkbookError(
                QStringLiteral("無法建立活頁簿：%1").arg(zipErrorText(zip_get_error(guard.archive))));
        const zip_int64_t index = zip_file_add(guard.archive, e.name.c_str(), data, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(data);
            throw WorkbookError(
                QStringLiteral("無法建立活頁簿：%1").arg(zipErrorText(zip_get_error(guard.archive))));
        }
        // Large sheets dominate the time of a save: the fastest level still shrinks XML well.
        const zip_uint32_t level = e.data.size() > (1 << 20) ? 1 : 6;
        zip_set_file_compression(guard.archive, zip_uint64_t(index), ZIP_CM_DEFLATE, level);
    }
    zip_t* archive = guard.archive;
    guard.archive = nullptr;
    if (zip_close(archive) != 0) {
        const QString text = zipErrorText(zip_get_error(archive));
        zip_discard(archive);
        throw WorkbookError(QStringLiteral("無法建立活頁簿：%1").arg(text));
    }

    zip_stat_t st;
    if (zip_source_stat(buffer, &st) != 0 || zip_source_open(buffer) != 0)
        throw WorkbookError(QStringLiteral("無法建立活頁簿"));
    QByteArray out;
    out.resize(qsizetype(st.size));
    const zip_int64_t got = zip_source_read(buffer, out.data(), st.size);
    zip_source_close(buffer);
    if (got < 0 || zip_uint64_t(got) != st.size)
        throw WorkbookError(QStringLiteral("無法建立活頁簿"));
    return out;
}

} // namespace wb::zip
