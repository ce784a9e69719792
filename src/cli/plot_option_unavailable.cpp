// --plot in builds without Qt: the option is known, but refused with the reason.
#include "cli/plot_option.h"

namespace tessaroven {

ConverterExtension PlotOption() {
    return {"--plot", "FILE", "プロファイルのグラフを PNG 画像で保存する (Qt 付きのビルドのみ)",
            [](const MeasurementRecord&, const std::string&) -> MaybeRefusal {
                return Refusal{
                    RefusalReason::FileWriteFailed,
                    "このビルドは Qt なしで作られているため、--plot (グラフの画像) は使えません。"};
            }};
}

}  // namespace tessaroven
