#pragma once
// What the one-article dialogs do to UArticle: load an article, change its
// data or its pinyin code, create one on the spot from a document line, and
// set its stock-warning limits. Every function checks its input first and
// writes nothing when a check fails; the writes of one call run in one
// transaction.

#include <QString>

#include <optional>

namespace ArticleEdit {

// Byte limits (GBK) of the article entry fields.
inline constexpr int CodeBytes = 16;
inline constexpr int NameBytes = 50;
inline constexpr int StandardBytes = 20;
inline constexpr int UnitBytes = 10;
inline constexpr int PriceBytes = 10;
inline constexpr int RemarkBytes = 50;
inline constexpr int PinyinBytes = 50;
inline constexpr int LimitDigits = 4;

// The fields a user edits.
struct Fields {
    QString code;      // 物品编码
    QString type;      // 物品分类 (UAType.theName)
    QString name;      // 物品名称
    QString standard;  // 规格型号
    QString unit;      // 单位
    QString price;     // 单价, as typed
    QString remark;    // 备注
    QString place;     // 货位名称 (SPlace.PName)
};

// A stored article.
struct Article {
    qlonglong id = 0;
    Fields fields;
    QString pinyin;
    QString date;
    QString yjMin;
    QString yjMax;
    QString yj;  // "是" or "否"
};

// The field a refused save points at.
// Missing: the article is not (or no longer) in the table.
enum class Field { None, Code, Name, Unit, Price, Pinyin, Minimum, Maximum, Missing };

struct Outcome {
    Field field = Field::None;
    QString message;
    bool ok() const { return field == Field::None; }
};

// The article with that ID, or nothing when there is not exactly one.
std::optional<Article> load(const QString& id);

// The required fields in their order (code, name, unit, price) and the price
// as a number. The messages are those of the one-article editors.
Outcome check(const Fields& f, double* price);

// Changes an article's data; thePY becomes the pinyin initials of the name.
// A code that another article already has is refused.
Outcome update(const QString& id, const Fields& f);

// Sets the pinyin code as typed.
Outcome updatePinyin(const QString& id, const QString& code);

// The code proposed for a new article: NewNum("UArticle").
QString proposeCode();

// Creates an article with warnings 9/99 switched off and no accessories;
// *newId gets its ID. A code that exists already is refused.
Outcome create(const Fields& f, qlonglong* newId);

// Writes the three warning columns only; an empty limit counts as 0.
Outcome saveWarnings(const QString& id, const QString& minimum, const QString& maximum, bool enabled);

} // namespace ArticleEdit
