// Code page 932: the comment line of a result file (short, mixed Japanese and ASCII) and a long text, both
// ways.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "formats/cp932.h"

namespace {

const std::string kComment = "頭部ファントム 120 kV、ボウタイ：Ｌ ① 〜 測定者 山田";

std::string LongText() {
    std::string text;
    while (text.size() < 64 * 1024) {
        text += kComment + " Comment, 1.5 mGy ｱｲｳ\n";
    }
    return text;
}

void Encode(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        auto encoded = tessaroven::EncodeCp932(text);
        benchmark::DoNotOptimize(encoded);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void Decode(benchmark::State& state, const std::string& text) {
    const std::string bytes = *tessaroven::EncodeCp932(text);
    for (auto _ : state) {
        auto decoded = tessaroven::DecodeCp932(bytes);
        benchmark::DoNotOptimize(decoded);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_EncodeCp932_Comment(benchmark::State& state) {
    Encode(state, kComment);
}
BENCHMARK(BM_EncodeCp932_Comment);

void BM_DecodeCp932_Comment(benchmark::State& state) {
    Decode(state, kComment);
}
BENCHMARK(BM_DecodeCp932_Comment);

void BM_EncodeCp932_64KB(benchmark::State& state) {
    Encode(state, LongText());
}
BENCHMARK(BM_EncodeCp932_64KB)->Unit(benchmark::kMicrosecond);

void BM_DecodeCp932_64KB(benchmark::State& state) {
    Decode(state, LongText());
}
BENCHMARK(BM_DecodeCp932_64KB)->Unit(benchmark::kMicrosecond);

}  // namespace
