#include "TransferReport.h"

#include <gtest/gtest.h>

TEST(TransferReport, NoticeCarriesKindStateBytesTotalAndPercent)
{
    EXPECT_EQ(TransferNoticeText(TTransferKind::Download, TTransferState::Running, 40960, 163840),
              QStringLiteral(R"({"apiCode":10020,"transfer":"download","state":"running",)"
                             R"("bytes":40960,"total":163840,"percent":25})"));
    EXPECT_EQ(TransferNoticeText(TTransferKind::Upload, TTransferState::Started, 0, -1),
              QStringLiteral(R"({"apiCode":10020,"transfer":"upload","state":"started",)"
                             R"("bytes":0,"total":-1,"percent":-1})"));
    // Sizes beyond 32 bits and counts past the total stay sane.
    EXPECT_EQ(TransferPercent(qint64(5) << 32, qint64(10) << 32), 50);
    EXPECT_EQ(TransferPercent(120, 100), 100);
    EXPECT_EQ(TransferPercent(99, 100), 99);
    EXPECT_EQ(TransferPercent(5, 0), -1);
}
