// The stream classes and their bridge to IStream.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "saver/forms/ComPtr.h"
#include "saver/forms/FileStream.h"
#include "saver/forms/MemoryStream.h"
#include "saver/forms/ResourceStream.h"
#include "saver/forms/StreamAdapter.h"
#include "tests/win/delivery/DeliveryFixtures.h"
#include "tests/win/support/ChildProcess.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

std::string ReadRest(TStream& stream) {
    std::string bytes;
    char buffer[7];  // small, so reads cross their chunk
    for (size_t n; (n = stream.Read(buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
    return bytes;
}

class TModuleData {
public:
    explicit TModuleData(const std::string& path)
        : FModule(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~TModuleData() {
        if (FModule) FreeLibrary(FModule);
    }
    HMODULE Get() const { return FModule; }

private:
    HMODULE FModule;
};

std::string TempFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

}  // namespace

TEST(TMemoryStream, WritesGrowReadsStopAtTheEndSeeksStayInside) {
    TMemoryStream stream;
    stream.WriteBuffer("hello world", 11);
    EXPECT_EQ(stream.Size(), 11);
    EXPECT_EQ(stream.Position(), 11);
    stream.SetPosition(6);
    stream.WriteBuffer("WORLD!", 6);  // overwrites and grows by one
    EXPECT_EQ(stream.Size(), 12);
    EXPECT_EQ(stream.Seek(-12, TSeekOrigin::soEnd), 0);
    EXPECT_EQ(ReadRest(stream), "hello WORLD!");
    EXPECT_EQ(stream.Seek(5, TSeekOrigin::soEnd), 17) << "past the end is a place, not an error";
    char byte = 0;
    EXPECT_EQ(stream.Read(&byte, 1), 0u);
    EXPECT_THROW(stream.Seek(-1, TSeekOrigin::soBeginning), EStreamError);
    EXPECT_THROW(stream.Seek(-18, TSeekOrigin::soCurrent), EStreamError);
    EXPECT_EQ(stream.Position(), 17) << "a refused seek leaves the position";
    stream.SetSize(3);
    stream.SetPosition(0);
    EXPECT_EQ(ReadRest(stream), "hel");
    EXPECT_THROW(stream.ReadBuffer(&byte, 1), EStreamError);
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0);
}

TEST(TStream, CopyFromTakesTheWholeSourceForCountZeroAndRefusesAShortOne) {
    TMemoryStream source;
    const std::string bytes = Bytes(70000);
    source.WriteBuffer(bytes.data(), bytes.size());
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 0), 70000);
    target.SetPosition(0);
    EXPECT_EQ(ReadRest(target), bytes);

    source.SetPosition(69990);
    TMemoryStream shortTarget;
    EXPECT_THROW(shortTarget.CopyFrom(source, 11), EStreamError);
}

TEST(TResourceStream, ReadsAResourceInPlaceAndRefusesWritesAndMissingNames) {
    TModuleData scr(WinBuildFile("quorlin.scr"));
    ASSERT_NE(scr.Get(), nullptr);
    TResourceStream manifest(scr.Get(), "#1", RT_MANIFEST);
    HRSRC info = FindResourceA(scr.Get(), MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(manifest.Size(), static_cast<int64_t>(SizeofResource(scr.Get(), info)));
    const std::string text = ReadRest(manifest);
    EXPECT_EQ(text.size(), static_cast<size_t>(manifest.Size()));
    EXPECT_NE(text.find("Tessaly.Screensaver"), std::string::npos);
    EXPECT_THROW(manifest.Write("x", 1), EStreamError);

    try {
        TResourceStream missing(scr.Get(), "NOSUCHRESOURCE", RT_RCDATA);
        ADD_FAILURE() << "no error for a missing resource";
    } catch (const EStreamError& error) {
        EXPECT_STREQ(error.what(), "Resource NOSUCHRESOURCE not found");
    }
}

TEST(TFileStream, CreatesTruncatesReadsBackAndNamesTheFileItCannotOpen) {
    const std::string name = TempFile("quorlin-filestream-test.bin");
    {
        TFileStream file(name, TFileMode::fmCreate);
        file.WriteBuffer("0123456789", 10);
    }
    {
        TFileStream file(name, TFileMode::fmCreate);  // anew: truncated
        file.WriteBuffer("abc", 3);
    }
    {
        TFileStream file(name, TFileMode::fmOpenRead);
        EXPECT_EQ(file.Size(), 3);
        EXPECT_EQ(ReadRest(file), "abc");
        EXPECT_EQ(file.Write("x", 1), 0u) << "a read-only file takes nothing";
    }
    DeleteFileA(name.c_str());
    try {
        TFileStream missing(name, TFileMode::fmOpenRead);
        ADD_FAILURE() << "no error for a missing file";
    } catch (const EStreamError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Cannot open file " + name + ". ", 0), 0u) << error.what();
    }
}

TEST(TStreamAdapter, ServesAStreamThroughIStreamAndFreesAnOwnedOne) {
    bool freed = false;
    auto* source = new TWatchedStream("", freed);
    TComPtr<IStream> stream(new TStreamAdapter(source, TStreamOwnership::soOwned));
    ULONG moved = 0;
    EXPECT_EQ(stream->Write("abcdef", 6, &moved), S_OK);
    EXPECT_EQ(moved, 6u);
    EXPECT_EQ(StreamSize(stream.Get()), 6u);
    LARGE_INTEGER offset;
    offset.QuadPart = 2;
    ULARGE_INTEGER position = {};
    EXPECT_EQ(stream->Seek(offset, STREAM_SEEK_SET, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 2u);
    char buffer[8] = {};
    EXPECT_EQ(stream->Read(buffer, sizeof buffer, &moved), S_OK) << "a short read at the end";
    EXPECT_EQ(std::string(buffer, moved), "cdef");

    offset.QuadPart = -1;
    EXPECT_EQ(stream->Seek(offset, STREAM_SEEK_SET, &position), STG_E_INVALIDFUNCTION);
    EXPECT_EQ(stream->Seek(offset, 7, &position), STG_E_INVALIDFUNCTION);

    // CopyTo into the system's own memory stream.
    TComPtr<IStream> target;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, target.Put()), S_OK);
    offset.QuadPart = 0;
    stream->Seek(offset, STREAM_SEEK_SET, nullptr);
    ULARGE_INTEGER count, read, written;
    count.QuadPart = 100;
    EXPECT_EQ(stream->CopyTo(target.Get(), count, &read, &written), S_OK);
    EXPECT_EQ(read.QuadPart, 6u);
    EXPECT_EQ(written.QuadPart, 6u);
    target->Seek(offset, STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(ReadAll(target.Get()), "abcdef");

    // A stream that raises gives an error code, never an exception.
    source->ReadRaises = true;
    EXPECT_EQ(stream->Read(buffer, 1, &moved), STG_E_READFAULT);
    EXPECT_EQ(moved, 0u);

    EXPECT_FALSE(freed);
    stream.Reset();
    EXPECT_TRUE(freed);

    bool borrowedFreed = false;
    TWatchedStream borrowed("x", borrowedFreed);
    TComPtr<IStream>(new TStreamAdapter(&borrowed, TStreamOwnership::soReference)).Reset();
    EXPECT_FALSE(borrowedFreed);
}
