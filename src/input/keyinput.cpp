// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "keyinput.h"

#include <iterator>

namespace {
struct RomajiPair
{
    char16_t consonant;
    char16_t vowel;
    char16_t kana;
};

// The five vowels alone, in the order A, I, U, E, O.
constexpr char16_t s_vowels[] = u"AIUEO";
constexpr char16_t s_vowelKana[] = u"あいうえお";

// Consonant and vowel pairs. Y and W have no I, E (nor W U) syllables: those pairs do not exist,
// and the vowel is then converted alone.
constexpr RomajiPair s_romajiPairs[] = {
        {u'K', u'A', u'か'}, {u'K', u'I', u'き'}, {u'K', u'U', u'く'}, {u'K', u'E', u'け'}, {u'K', u'O', u'こ'},
        {u'G', u'A', u'が'}, {u'G', u'I', u'ぎ'}, {u'G', u'U', u'ぐ'}, {u'G', u'E', u'げ'}, {u'G', u'O', u'ご'},
        {u'S', u'A', u'さ'}, {u'S', u'I', u'し'}, {u'S', u'U', u'す'}, {u'S', u'E', u'せ'}, {u'S', u'O', u'そ'},
        {u'Z', u'A', u'ざ'}, {u'Z', u'I', u'じ'}, {u'Z', u'U', u'ず'}, {u'Z', u'E', u'ぜ'}, {u'Z', u'O', u'ぞ'},
        {u'T', u'A', u'た'}, {u'T', u'I', u'ち'}, {u'T', u'U', u'つ'}, {u'T', u'E', u'て'}, {u'T', u'O', u'と'},
        {u'D', u'A', u'だ'}, {u'D', u'I', u'ぢ'}, {u'D', u'U', u'づ'}, {u'D', u'E', u'で'}, {u'D', u'O', u'ど'},
        {u'N', u'A', u'な'}, {u'N', u'I', u'に'}, {u'N', u'U', u'ぬ'}, {u'N', u'E', u'ね'}, {u'N', u'O', u'の'},
        {u'H', u'A', u'は'}, {u'H', u'I', u'ひ'}, {u'H', u'U', u'ふ'}, {u'H', u'E', u'へ'}, {u'H', u'O', u'ほ'},
        {u'B', u'A', u'ば'}, {u'B', u'I', u'び'}, {u'B', u'U', u'ぶ'}, {u'B', u'E', u'べ'}, {u'B', u'O', u'ぼ'},
        {u'P', u'A', u'ぱ'}, {u'P', u'I', u'ぴ'}, {u'P', u'U', u'ぷ'}, {u'P', u'E', u'ぺ'}, {u'P', u'O', u'ぽ'},
        {u'M', u'A', u'ま'}, {u'M', u'I', u'み'}, {u'M', u'U', u'む'}, {u'M', u'E', u'め'}, {u'M', u'O', u'も'},
        {u'Y', u'A', u'や'}, {u'Y', u'U', u'ゆ'}, {u'Y', u'O', u'よ'}, {u'R', u'A', u'ら'}, {u'R', u'I', u'り'},
        {u'R', u'U', u'る'}, {u'R', u'E', u'れ'}, {u'R', u'O', u'ろ'}, {u'W', u'A', u'わ'}, {u'W', u'O', u'を'},
};
static_assert(std::size(s_romajiPairs) == 65);

struct HangulKana
{
    char16_t hangul;
    char16_t kana;
};

// Hangul syllables and their kana, column by column of the conversion table. Unaspirated
// initials give the voiced kana, aspirated and tense ones the voiceless or p-row kana.
constexpr HangulKana s_hangulKana[] = {
        {u'아', u'あ'}, {u'이', u'い'}, {u'우', u'う'}, {u'에', u'え'}, {u'오', u'お'}, {u'카', u'か'}, {u'키', u'き'},
        {u'쿠', u'く'}, {u'케', u'け'}, {u'코', u'こ'}, {u'가', u'が'}, {u'기', u'ぎ'}, {u'구', u'ぐ'}, {u'게', u'げ'},
        {u'고', u'ご'}, {u'사', u'さ'}, {u'시', u'し'}, {u'스', u'す'}, {u'수', u'す'}, {u'세', u'せ'}, {u'소', u'そ'},
        {u'자', u'ざ'}, {u'지', u'じ'}, {u'주', u'ず'}, {u'제', u'ぜ'}, {u'조', u'ぞ'},

        {u'따', u'た'}, {u'타', u'た'}, {u'찌', u'ち'}, {u'티', u'ち'}, {u'치', u'ち'}, {u'쯔', u'つ'}, {u'트', u'つ'},
        {u'츠', u'つ'}, {u'떼', u'て'}, {u'테', u'て'}, {u'또', u'と'}, {u'토', u'と'}, {u'다', u'だ'}, {u'디', u'ぢ'},
        {u'두', u'づ'}, {u'드', u'づ'}, {u'데', u'で'}, {u'도', u'ど'}, {u'나', u'な'}, {u'니', u'に'}, {u'누', u'ぬ'},
        {u'네', u'ね'}, {u'노', u'の'}, {u'하', u'は'}, {u'히', u'ひ'}, {u'후', u'ふ'}, {u'헤', u'へ'}, {u'호', u'ほ'},
        {u'바', u'ば'}, {u'비', u'び'}, {u'부', u'ぶ'}, {u'베', u'べ'}, {u'보', u'ぼ'},

        {u'파', u'ぱ'}, {u'빠', u'ぱ'}, {u'피', u'ぴ'}, {u'삐', u'ぴ'}, {u'푸', u'ぷ'}, {u'뿌', u'ぷ'}, {u'페', u'ぺ'},
        {u'뻬', u'ぺ'}, {u'포', u'ぽ'}, {u'뽀', u'ぽ'}, {u'마', u'ま'}, {u'미', u'み'}, {u'무', u'む'}, {u'메', u'め'},
        {u'모', u'も'}, {u'야', u'や'}, {u'유', u'ゆ'}, {u'요', u'よ'}, {u'라', u'ら'}, {u'리', u'り'}, {u'루', u'る'},
        {u'레', u'れ'}, {u'로', u'ろ'}, {u'와', u'わ'}, {u'워', u'を'}, {u'응', u'ん'},
};
static_assert(std::size(s_hangulKana) == 85);
} // namespace

KeyInput::KeyInput(QWidget *parent, const char *name, Qt::WindowFlags f)
    : QWidget(parent, f)
{
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("KeyInput"));
    resize(480, 200);
}

KeyInput::~KeyInput() = default;

QString KeyInput::convert_EngtoJpn(const QString &text)
{
    QString copy = text;
    // The length is read on every step: a pair shrinks the copy by one.
    for (qsizetype p = 0; p < copy.size(); ++p) {
        const char16_t c = copy.at(p).toUpper().unicode();
        bool done = false;
        for (int v = 0; v < 5; ++v) {
            if (c == s_vowels[v]) {
                copy[p] = QChar(s_vowelKana[v]);
                done = true;
                break;
            }
        }
        if (done)
            continue;
        if (p + 1 < copy.size()) {
            const char16_t next = copy.at(p + 1).toUpper().unicode();
            for (const RomajiPair &pair : s_romajiPairs) {
                if (pair.consonant == c && pair.vowel == next) {
                    copy.replace(p, 2, QChar(pair.kana));
                    done = true;
                    break;
                }
            }
        }
        if (!done && c == u'N')
            copy[p] = QChar(u'ん');
    }
    return copy;
}

QString KeyInput::convert_KortoJpn(const QString &text)
{
    QString copy = text;
    for (qsizetype p = 0; p < copy.size(); ++p) {
        const char16_t c = copy.at(p).unicode();
        for (const HangulKana &entry : s_hangulKana) {
            if (entry.hangul == c) {
                copy[p] = QChar(entry.kana);
                break;
            }
        }
    }
    return copy;
}
