#pragma once
// The pages of a run kept for the preview: the first pages in memory, every
// further page in a temporary file, read back one at a time when the preview
// shows it or an output prints it. A report of thousands of pages holds a few
// pages in memory instead of all of them.
//
//   auto store = std::make_shared<ReportPageStore>(title, pageSize);
//   store->append(std::move(page));     // as the run lays pages out
//   store->finish();                    // the count is known: marks are filled in
//   ReportPage p = store->page(41);
//
// Pictures go into the file as well (each picture once however many pages
// show it); formatted text (letters) stays in memory.

#include "platform/report/ReportDocument.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QTemporaryFile>

#include <memory>
#include <vector>

class ReportPageReader;

class ReportPageStore : public ReportPages {
public:
    // Pages kept in memory before the file is used.
    static constexpr int kPagesInMemory = 32;

    ReportPageStore(QString title, QSizeF pageSize, int pagesInMemory = kPagesInMemory);
    ~ReportPageStore() override;
    ReportPageStore(const ReportPageStore&) = delete;
    ReportPageStore& operator=(const ReportPageStore&) = delete;

    // Adds the next page; throws ReportError when the file cannot take it.
    void append(ReportPage&& page);
    // The run is over: from now on page-count marks read as the count.
    void finish() { m_finished = true; }
    // Pages that went into the file.
    int pagesInFile() const { return int(m_offsets.size()); }

    QString title() const override { return m_title; }
    QSizeF pageSize() const override { return m_pageSize; }
    int pageCount() const override { return int(m_memory.size() + m_offsets.size()); }
    // Throws ReportError when the file cannot be read back.
    ReportPage page(int index) const override;

private:
    void write(QByteArray& out, const ReportItem& item);
    ReportItem read(ReportPageReader& in) const;
    quint32 stringIndex(const QString& s);
    quint32 fontIndex(const QFont& f);
    qint64 imageOffset(const QImage& image);
    QImage readImage(qint64 offset) const;
    quint32 documentIndex(const std::shared_ptr<const QTextDocument>& d);
    QByteArray readBlock(qint64 offset) const;
    qint64 writeBlock(const QByteArray& block);

    QString m_title;
    QSizeF m_pageSize;
    int m_pagesInMemory;
    bool m_finished = false;
    std::vector<ReportPage> m_memory;
    mutable QTemporaryFile m_file;
    std::vector<qint64> m_offsets;      // where each page of the file starts
    qint64 m_end = 0;
    QStringList m_strings;              // names of controls and bands
    QHash<QString, quint32> m_stringIndex;
    std::vector<QFont> m_fonts;
    QHash<QFont, quint32> m_fontIndex;
    QHash<qint64, qint64> m_imageOffsets;   // by QImage::cacheKey
    std::vector<std::shared_ptr<const QTextDocument>> m_documents;
    QHash<const QTextDocument*, quint32> m_documentIndex;
};
