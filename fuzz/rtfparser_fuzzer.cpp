// Feeds arbitrary text to the subtitle RTF reader. It must never crash or hang, and what
// it returns must keep the reader's promises: no empty runs, no two neighbouring runs in
// one format, no blank paragraph at the end, the same document for the same text.
#include "subtitle/rtfparser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace vistarel::subtitle;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool sameFormat(const TRtfRun& a, const TRtfRun& b)
{
    TRtfRun x = a;
    TRtfRun y = b;
    x.Text.clear();
    y.Text.clear();
    return x == y;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Odd-sized inputs are taken as UTF-16 code units, so lone surrogates and every
    // other code unit reach the reader; the rest as UTF-8, which is what RTF mostly is.
    QString text;
    if (size % 2 == 1) {
        text.resize(static_cast<qsizetype>(size / 2));
        std::memcpy(text.data(), data + 1, size - 1);
    } else {
        text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    }

    const TRtfDoc doc = ParseRtf(text);
    for (const TRtfPara& para : doc.Paras) {
        for (std::size_t i = 0; i < para.Runs.size(); ++i) {
            check(!para.Runs[i].Text.isEmpty());
            check(i == 0 || !sameFormat(para.Runs[i - 1], para.Runs[i]));
        }
    }
    check(doc.Paras.empty() || !isBlankText(doc.Paras.back().text()));

    const auto cached = GetParsedRtf(text);
    check(cached->Paras.size() == doc.Paras.size() && cached->Colors == doc.Colors &&
          cached->Fonts == doc.Fonts);
    for (std::size_t i = 0; i < doc.Paras.size(); ++i)
        check(cached->Paras[i].Runs == doc.Paras[i].Runs);
    check(GetParsedRtf(text).get() == cached.get());
    return 0;
}
