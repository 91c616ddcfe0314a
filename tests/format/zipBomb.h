#pragma once
// A decompression bomb for the zip and command line tests: a real archive of a few MB
// whose one entry unpacks to gigabytes of zeros.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>
#include <minizip/zip.h>
#include <zlib.h>

// Writes an archive with one entry of `chunks` times 16 MiB of zeros. After a full flush
// deflate starts afresh, so one compressed chunk repeated is a valid stream.
inline void WriteZeroBomb(const QString &archiveName, int chunks)
{
  constexpr uInt ChunkSize = 16u << 20;
  const QByteArray zeros(ChunkSize, '\0');
  z_stream stream{};
  ASSERT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
  const auto deflateChunk = [&](const QByteArray &input, int flush) {
    QByteArray output(int(deflateBound(&stream, uLong(input.size()))) + 64, '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(input.constData()));
    stream.avail_in = uInt(input.size());
    stream.next_out = reinterpret_cast<Bytef *>(output.data());
    stream.avail_out = uInt(output.size());
    EXPECT_NE(deflate(&stream, flush), Z_STREAM_ERROR);
    EXPECT_EQ(stream.avail_in, 0u);
    output.resize(output.size() - int(stream.avail_out));
    return output;
  };
  const QByteArray first = deflateChunk(zeros, Z_FULL_FLUSH);
  ASSERT_EQ(deflateChunk(zeros, Z_FULL_FLUSH), first);
  const QByteArray last = deflateChunk(QByteArray(), Z_FINISH);
  deflateEnd(&stream);

  const uLong chunkCrc = crc32(0, reinterpret_cast<const Bytef *>(zeros.constData()), ChunkSize);
  uLong crc = crc32(0, nullptr, 0);
  zipFile zip = zipOpen64(QFile::encodeName(archiveName).constData(), APPEND_STATUS_CREATE);
  ASSERT_NE(zip, nullptr);
  zip_fileinfo info{};
  ASSERT_EQ(zipOpenNewFileInZip2(zip, "bomb.aqe", &info, nullptr, 0, nullptr, 0, nullptr,
                                 Z_DEFLATED, 9, 1),
            ZIP_OK);
  for (int i = 0; i < chunks; ++i) {
    ASSERT_EQ(zipWriteInFileInZip(zip, first.constData(), unsigned(first.size())), ZIP_OK);
    crc = crc32_combine(crc, chunkCrc, ChunkSize);
  }
  ASSERT_EQ(zipWriteInFileInZip(zip, last.constData(), unsigned(last.size())), ZIP_OK);
  ASSERT_EQ(zipCloseFileInZipRaw64(zip, ZPOS64_T(chunks) * ChunkSize, crc), ZIP_OK);
  ASSERT_EQ(zipClose(zip, nullptr), ZIP_OK);
}
