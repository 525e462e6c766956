#include "text/statistics_line.h"

namespace quirvane {

QString StatisticsLine(const Statistics& s) {
    return QString::asprintf(
        "入力バイト数：%d  データバイト数：%d　訂正ブロック数：%d　訂正次数GA：%d  総コード数：%d",
        s.inputBytes, s.dataBytes, s.blocks, s.eccPerBlock, s.totalCodewords);
}

}  // namespace quirvane
