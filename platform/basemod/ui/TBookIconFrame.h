#pragma once
// The book tile of the course shelves: the cover picture on top and the
// course title below it, with a hint on mouse-over and a mouse-up handler.
//
// Besides its look the tile carries the shelf record of its course, lesson
// book, teaching material or recommended course, so that a click handler finds
// everything it needs on the sender.

#include "basemod_export.h"
#include "HostServices.h"
#include "TControl.h"

#include <QFont>

#include <functional>

class TRectangle;
class TText;
class TBookIconFrame;

// The tile's mouse-up handler: the tile, the button, the modifier keys and
// the position on the tile.
using TBookMouseUpProc =
    std::function<void(TBookIconFrame *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos)>;

// SideShow bits.
enum TBookSideShow {
    bsTitle = 1, // the title under the picture
    bsFrame = 2, // a white frame with a shadow line around the picture
};

// Text fitted into `lines` lines of `width` in `font`; a text that needs more
// lines keeps what fits and ends with "…".
BASEMOD_EXPORT QString FitTextToLines(const QString &text, const QFont &font, double width, int lines);

class BASEMOD_EXPORT TBookIconFrame : public TControl
{
    Q_OBJECT
public:
    static constexpr double kWidth = 110;
    static constexpr double kHeight = 186;
    static constexpr double kPictureHeight = 146;
    static constexpr int kTitleLines = 2;

    explicit TBookIconFrame(QWidget *parent = nullptr);
    ~TBookIconFrame() override;

    // Look and behaviour.
    int SideShow() const { return m_sideShow; }
    void SetSideShow(int sides);
    QString FontFamily() const;
    void SetFontFamily(const QString &family);
    double FontSize() const;
    void SetFontSize(double size);
    // Hint service used on mouse-over (the course name and description).
    ICustomHintPtr MyHint() const { return m_hint; }
    void SetMyHint(ICustomHintPtr hint) { m_hint = std::move(hint); }
    void SetOnBookMouseUp(TBookMouseUpProc handler) { m_onMouseUp = std::move(handler); }
    // Runs the mouse-up handler as a release at `pos` would.
    void DoBookMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos);
    // Where the cover goes (LoadPicture_UI, TRectangle::LoadBitmapFromFile).
    TRectangle *BookPicture() const { return m_picture; }
    // The title as shown (possibly shortened to fit).
    TText *TitleText() const { return m_title; }
    bool IsHighlighted() const { return m_highlighted; }

    // Title of the tile: the course, material or recommended course name.
    QString GoodsName() const { return m_goodsName; }
    void SetGoodsName(const QString &name);
    // Local file of the cover, or "default" for the shelf's default picture.
    QString LocalIcon() const { return m_localIcon; }
    void SetLocalIcon(const QString &path) { m_localIcon = path; }

    // Own, recent and outside books.
    qint64 Uid() const { return m_uid; }
    void SetUid(qint64 uid) { m_uid = uid; }
    QString PackagePic() const { return m_packagePic; }
    void SetPackagePic(const QString &v) { m_packagePic = v; }
    QString CourseCode() const { return m_courseCode; }
    void SetCourseCode(const QString &v) { m_courseCode = v; }
    int IsRecommend() const { return m_isRecommend; }
    void SetIsRecommend(int v) { m_isRecommend = v; }
    qint64 LessonID() const { return m_lessonId; }
    void SetLessonID(qint64 v) { m_lessonId = v; }
    QString LessonName() const { return m_lessonName; }
    void SetLessonName(const QString &v) { m_lessonName = v; }
    int OrderId() const { return m_orderId; }
    void SetOrderId(int v) { m_orderId = v; }
    QString Url() const { return m_url; }
    void SetUrl(const QString &v) { m_url = v; }
    // Local file name of the course package.
    QString packageName() const { return m_packageName; }
    void SetpackageName(const QString &v) { m_packageName = v; }
    QString Version() const { return m_version; }
    void SetVersion(const QString &v) { m_version = v; }
    int VersionNo() const { return m_versionNo; }
    void SetVersionNo(int v) { m_versionNo = v; }
    // "W" for a word book, "U" otherwise.
    QString CourseType() const { return m_courseType; }
    void SetCourseType(const QString &v) { m_courseType = v; }

    // Teaching materials.
    qint64 MaterialId() const { return m_materialId; }
    void SetMaterialId(qint64 v) { m_materialId = v; }
    QString OrigiVoice() const { return m_origiVoice; }
    void SetOrigiVoice(const QString &v) { m_origiVoice = v; }
    QString TeacherId() const { return m_teacherId; }
    void SetTeacherId(const QString &v) { m_teacherId = v; }
    // The material's picture address.
    QString Picture() const { return m_pictureKey; }
    void SetPicture(const QString &v) { m_pictureKey = v; }
    int IsNetMate() const { return m_isNetMate; }
    void SetIsNetMate(int v) { m_isNetMate = v; }

    // Recommended courses.
    QString Description() const { return m_description; }
    void SetDescription(const QString &v) { m_description = v; }
    qint64 GoodsID() const { return m_goodsId; }
    void SetGoodsID(qint64 v) { m_goodsId = v; }
    int GoodsLevel() const { return m_goodsLevel; }
    void SetGoodsLevel(int v) { m_goodsLevel = v; }
    QString GoodsPicURL() const { return m_goodsPicUrl; }
    void SetGoodsPicURL(const QString &v) { m_goodsPicUrl = v; }
    int IsRecommand() const { return m_isRecommand; }
    void SetIsRecommand(int v) { m_isRecommand = v; }
    QString Memo() const { return m_memo; }
    void SetMemo(const QString &v) { m_memo = v; }
    double Price() const { return m_price; }
    void SetPrice(double v) { m_price = v; }
    int WordCount() const { return m_wordCount; }
    void SetWordCount(int v) { m_wordCount = v; }
    double TradePrice() const { return m_tradePrice; }
    void SetTradePrice(double v) { m_tradePrice = v; }
    double rebate() const { return m_rebate; }
    void Setrebate(double v) { m_rebate = v; }

    // The hint text: the name, and the description on a second line.
    QString HintText() const;

Q_SIGNALS:
    void BookMouseUp(TBookIconFrame *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void layoutParts();
    void updateTitle();
    void setHighlighted(bool on);

    TRectangle *m_frame;
    TRectangle *m_picture;
    TText *m_title;
    ICustomHintPtr m_hint;
    TBookMouseUpProc m_onMouseUp;
    int m_sideShow = bsTitle | bsFrame;
    bool m_highlighted = false;
    Qt::MouseButtons m_pressed;

    QString m_goodsName;
    QString m_localIcon;
    qint64 m_uid = 0;
    QString m_packagePic;
    QString m_courseCode;
    int m_isRecommend = 0;
    qint64 m_lessonId = 0;
    QString m_lessonName;
    int m_orderId = 0;
    QString m_url;
    QString m_packageName;
    QString m_version;
    int m_versionNo = 0;
    QString m_courseType;
    qint64 m_materialId = 0;
    QString m_origiVoice;
    QString m_teacherId;
    QString m_pictureKey;
    int m_isNetMate = 0;
    QString m_description;
    qint64 m_goodsId = 0;
    int m_goodsLevel = 0;
    QString m_goodsPicUrl;
    int m_isRecommand = 0;
    QString m_memo;
    double m_price = 0;
    int m_wordCount = 0;
    double m_tradePrice = 0;
    double m_rebate = 0;
};
