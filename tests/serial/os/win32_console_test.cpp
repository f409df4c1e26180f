// The command line's output under Windows: a console gets UTF-16 whatever its
// code page, a pipe the UTF-8 bytes; a character cut by a flush arrives whole.

#include "serial/os/console.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace ksv {
namespace {

const std::string kText = "Данные считаны: Зав. № 654321\n";

// Writes the text through a buffer over h, flushing once inside "Д" and once
// inside "№", as a progress line or an unbuffered error stream would.
void writeInPieces(HANDLE h) {
    const auto buffer = os::windowsTextOutput(h);
    std::ostream out(buffer.get());
    const std::size_t cuts[] = {1, kText.find("№") + 2, kText.size()};
    std::size_t from = 0;
    for (std::size_t to : cuts) {
        out << kText.substr(from, to - from) << std::flush;
        from = to;
    }
    EXPECT_TRUE(out.good());
}

TEST(ConsoleOutput, ConsoleGetsUtf16WhateverItsCodePage) {
    // A console of its own, whatever the test was started from.
    FreeConsole();
    ASSERT_TRUE(AllocConsole()) << GetLastError();
    if (!GetConsoleWindow()) {
        FreeConsole(); // Wine without a display: a console that shows nothing
        GTEST_SKIP() << "no console window (run under scripts/wine-test --display)";
    }
    const HANDLE screen =
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    ASSERT_NE(screen, INVALID_HANDLE_VALUE) << GetLastError();
    const UINT codePage = GetConsoleOutputCP();
    SetConsoleOutputCP(866); // the code page of a Russian console
    writeInPieces(screen);
    SetConsoleOutputCP(codePage);

    const std::wstring expected = L"Данные считаны: Зав. № 654321";
    std::wstring shown(expected.size(), L' ');
    DWORD read = 0;
    ASSERT_TRUE(
        ReadConsoleOutputCharacterW(screen, shown.data(), DWORD(shown.size()), {0, 0}, &read));
    EXPECT_EQ(shown, expected);
    CloseHandle(screen);
    FreeConsole();
}

TEST(ConsoleOutput, PipeGetsTheUtf8Bytes) {
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, nullptr, 1 << 16));
    writeInPieces(writeEnd);
    CloseHandle(writeEnd);
    std::string got(256, '\0');
    DWORD n = 0;
    ASSERT_TRUE(ReadFile(readEnd, got.data(), DWORD(got.size()), &n, nullptr));
    got.resize(n);
    EXPECT_EQ(got, kText);
    CloseHandle(readEnd);
}

} // namespace
} // namespace ksv
