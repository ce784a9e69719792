// The standard refusal messages, in the program's language.
#include "calc/outcome.h"

namespace tessaroven {

std::string RefusalMessage(RefusalReason reason) {
    switch (reason) {
        case RefusalReason::DistanceNotANumber:
            return "焦点-回転中心間距離が 0 か、数値ではありません。距離を cm で入力してください。";
        case RefusalReason::DistanceTooShort:
            return "焦点-回転中心間距離が短すぎます。最も遠い測定点までの距離 (cm) "
                   "より大きな値を入力してください。";
        case RefusalReason::NumberOutOfRange:
            return "数値が大きすぎて扱えません。正しい値を入力してください。";
        case RefusalReason::TooManyPositions:
            return "測定ポイント数が多すぎます。測定ポイント数は 31 以下 (推奨 25 以下) にしてください。";
        case RefusalReason::ZeroPivot:
            return "変換計算の連立方程式が解けません (係数が 0 "
                   "になりました)。焦点-回転中心間距離を確認してください。";
        case RefusalReason::ZeroCentreValue:
            return "回転中心の推定値が 0 になるため、相対値 (%) "
                   "を計算できません。回転中心の測定値を確認してください。";
        case RefusalReason::NonFiniteResult:
            return "計算結果が数値の範囲を超えました。測定値と焦点-回転中心間距離を確認してください。";
        case RefusalReason::NonFiniteValue:
            return "保存する値に数値でないものがあります。変換計算をやり直してください。";
        case RefusalReason::UnrepresentableCharacter:
            return "ファイルに書き込めない文字があります。";
        case RefusalReason::InvalidText:
            return "文字列が正しくありません。";
        case RefusalReason::FileWriteFailed:
            return "ファイルを保存できませんでした。";
    }
    return "処理できませんでした。";
}

}  // namespace tessaroven
