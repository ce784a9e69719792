// Command-line options of tessaroven-convert.
#include "cli/converter_options.h"

#include <algorithm>
#include <cstddef>

#include "calc/number_text.h"

namespace tessaroven {

namespace {

enum class OptionId { Distance, Comment, Output, List, Help, Extension };

struct OptionEntry {
    std::string_view name;
    OptionId id;
    bool takesValue;
};

constexpr OptionEntry kBuiltInOptions[] = {
    {"--distance", OptionId::Distance, true}, {"--comment", OptionId::Comment, true},
    {"--output", OptionId::Output, true},     {"--list", OptionId::List, false},
    {"--help", OptionId::Help, false},        {"-h", OptionId::Help, false},
};

// A token that starts like a negative or fractional number is a reading, so "-5" needs no "--" before it.
bool LooksLikeNumber(std::string_view token) {
    std::size_t i = 0;
    if (i < token.size() && (token[i] == '-' || token[i] == '+')) {
        ++i;
    }
    if (i < token.size() && token[i] == '.') {
        ++i;
    }
    return i < token.size() && token[i] >= '0' && token[i] <= '9';
}

std::string UsageHint() {
    return "（使い方は tessaroven-convert --help）";
}

}  // namespace

StrictNumber ReadStrictNumber(std::string_view token) {
    const std::size_t first = token.find_first_not_of(kReadingBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = token.find_last_not_of(kReadingBlanks);
    const std::string_view core = token.substr(first, last - first + 1);
    if (core.find_first_of(kReadingBlanks) != std::string_view::npos) {
        return {};
    }
    const ParsedNumber parsed = ParseLeadingNumber(core);
    StrictNumber result;
    if (!parsed.found || !parsed.complete) {
        return result;
    }
    result.isNumber = true;
    result.outOfRange = parsed.outOfRange;
    result.value = parsed.outOfRange ? 0 : parsed.value;
    return result;
}

ParsedConverterOptions ParseConverterOptions(const std::vector<std::string>& args,
                                             const std::vector<ConverterExtension>& extensions) {
    ParsedConverterOptions parsed;
    ConverterOptions& options = parsed.options;
    std::vector<std::string> seen;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-' || LooksLikeNumber(arg)) {
            options.readingTokens.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }

        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionEntry* option = nullptr;
        std::size_t extension = 0;
        for (const OptionEntry& candidate : kBuiltInOptions) {
            if (candidate.name == name) {
                option = &candidate;
            }
        }
        static constexpr OptionEntry kExtensionEntry{"", OptionId::Extension, true};
        for (std::size_t e = 0; option == nullptr && e < extensions.size(); ++e) {
            if (extensions[e].option == name) {
                option = &kExtensionEntry;
                extension = e;
            }
        }
        if (option == nullptr) {
            parsed.error = "不明なオプションです: " + name + UsageHint();
            return parsed;
        }
        if (option->id == OptionId::Help) {
            options.help = true;
            return parsed;
        }
        for (const std::string& earlier : seen) {
            if (earlier == name) {
                parsed.error = "オプション " + name + " が二回以上指定されています" + UsageHint();
                return parsed;
            }
        }
        seen.push_back(name);

        std::string value;
        if (option->takesValue) {
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                parsed.error = "オプション " + name + " には値が必要です" + UsageHint();
                return parsed;
            }
        } else if (equals != std::string::npos) {
            parsed.error = "オプション " + name + " は値を取りません" + UsageHint();
            return parsed;
        }

        switch (option->id) {
            case OptionId::Distance: {
                const StrictNumber distance = ReadStrictNumber(value);
                if (!distance.isNumber) {
                    parsed.error = "焦点-回転中心間距離 (--distance) 「" + value + "」は数値ではありません";
                    return parsed;
                }
                if (distance.outOfRange) {
                    parsed.error = "焦点-回転中心間距離 (--distance) 「" + value + "」は大きすぎて扱えません";
                    return parsed;
                }
                options.distance = distance.value;
                break;
            }
            case OptionId::Comment:
                options.comment = value;
                break;
            case OptionId::Output:
                if (value.empty()) {
                    parsed.error = "出力ファイル名 (--output) が空です";
                    return parsed;
                }
                options.outputPath = value;
                break;
            case OptionId::List:
                options.list = true;
                break;
            case OptionId::Extension:
                options.extensionValues.push_back({extension, value});
                break;
            case OptionId::Help:
                break;
        }
    }
    return parsed;
}

std::string ConverterUsage(const std::vector<ConverterExtension>& extensions) {
    std::string synopsis =
        "使い方: tessaroven-convert [--distance CM] [--comment TEXT] [--output FILE] [--list]";
    std::string extensionLines;
    for (const ConverterExtension& extension : extensions) {
        synopsis += " [" + extension.option + " " + extension.valueName + "]";
        std::string head = "  " + extension.option + " " + extension.valueName;
        head.resize(std::max<std::size_t>(head.size() + 1, 19), ' ');
        extensionLines += head + extension.description + "\n";
    }
    synopsis += " [READING ...]\n";
    return synopsis +
           "\n"
           "回転中に測定した線量の読み値から、ファン方向の線量プロファイルを計算します。\n"
           "READING は回転中心 (位置 0) から 1 cm ごとの測定値で、最大 31 個です。\n"
           "READING がないときは標準入力から読みます (空白か改行で区切り、# で始まる行は無視)。\n"
           "\n"
           "  --distance CM    焦点-回転中心間距離 (cm)。既定値 60\n"
           "  --comment TEXT   CSV の 1 行目のコメント。既定値 Comment\n"
           "  --output FILE    結果を FILE に保存します (名前はそのまま、拡張子は付けません)。\n"
           "                   指定がなければ標準出力に出します\n"
           "  --list           CSV の代わりに結果リストの行を UTF-8 で出力します\n" +
           extensionLines +
           "  --help           この説明を表示します\n"
           "\n"
           "CSV はコード ページ 932、行末 CR LF です。\n"
           "終了ステータス: 0 成功、2 使い方か入力の誤り、1 計算できない値か書き込みの失敗\n";
}

}  // namespace tessaroven
