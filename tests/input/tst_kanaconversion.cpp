// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "keyinput.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_KanaConversion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void romaji_data();
    void romaji();
    void hangul_data();
    void hangul();
    void argumentUnchanged();
    void hangulKeepsLength();
    void romajiLeavesNoVowelOrN();
};

void tst_KanaConversion::romaji_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kana");

    // Every row of the table, with the missing Y and W syllables falling back to the vowel.
    QTest::newRow("vowels") << u"aiueo"_s << u"あいうえお"_s;
    QTest::newRow("k") << u"kakikukeko"_s << u"かきくけこ"_s;
    QTest::newRow("g") << u"gagigugego"_s << u"がぎぐげご"_s;
    QTest::newRow("s") << u"sasisuseso"_s << u"さしすせそ"_s;
    QTest::newRow("z") << u"zazizuzezo"_s << u"ざじずぜぞ"_s;
    QTest::newRow("t") << u"tatitutetoto"_s << u"たちつてとと"_s;
    QTest::newRow("d") << u"dadidudedo"_s << u"だぢづでど"_s;
    QTest::newRow("n") << u"naninuneno"_s << u"なにぬねの"_s;
    QTest::newRow("h") << u"hahihuheho"_s << u"はひふへほ"_s;
    QTest::newRow("b") << u"babibubebo"_s << u"ばびぶべぼ"_s;
    QTest::newRow("p") << u"papipupepo"_s << u"ぱぴぷぺぽ"_s;
    QTest::newRow("m") << u"mamimumemo"_s << u"まみむめも"_s;
    QTest::newRow("y") << u"yayiyuyeyo"_s << u"やyいゆyえよ"_s;
    QTest::newRow("r") << u"rarirurero"_s << u"らりるれろ"_s;
    QTest::newRow("w") << u"wawiwuwewo"_s << u"わwいwうwえを"_s;
    QTest::newRow("upper case row") << u"KAKIKUKEKO"_s << u"かきくけこ"_s;

    // Case and the N rules.
    QTest::newRow("KA") << u"KA"_s << u"か"_s;
    QTest::newRow("Ka") << u"Ka"_s << u"か"_s;
    QTest::newRow("kA") << u"kA"_s << u"か"_s;
    QTest::newRow("kanna") << u"kanna"_s << u"かんな"_s;
    QTest::newRow("nyo") << u"nyo"_s << u"んよ"_s;
    QTest::newRow("nk") << u"nk"_s << u"んk"_s;
    QTest::newRow("nn") << u"nn"_s << u"んん"_s;
    QTest::newRow("trailing n") << u"hon"_s << u"ほん"_s;
    QTest::newRow("N alone") << u"N"_s << u"ん"_s;

    // No three-letter syllables, no sokuon: the unknown consonant stays in Latin.
    QTest::newRow("kya") << u"kya"_s << u"kや"_s;
    QTest::newRow("shi") << u"shi"_s << u"sひ"_s;
    QTest::newRow("chi") << u"chi"_s << u"cひ"_s;
    QTest::newRow("tsu") << u"tsu"_s << u"tす"_s;
    QTest::newRow("tta") << u"tta"_s << u"tた"_s;
    QTest::newRow("letters without pairs") << u"cafajalaqavaxa"_s << u"cあfあjあlあqあvあxあ"_s;
    QTest::newRow("consonant at the end") << u"kak"_s << u"かk"_s;

    // Everything else passes through.
    QTest::newRow("space") << u"ka na"_s << u"か な"_s;
    QTest::newRow("digit") << u"1a"_s << u"1あ"_s;
    QTest::newRow("kana and Hangul") << u"カ가ka"_s << u"カ가か"_s;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("punctuation") << u"-ka!"_s << u"-か!"_s;
}

void tst_KanaConversion::romaji()
{
    QFETCH(QString, text);
    QFETCH(QString, kana);
    QCOMPARE(KeyInput::convert_EngtoJpn(text), kana);
}

void tst_KanaConversion::hangul_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kana");

    // All 85 syllables of the table, column by column.
    QTest::newRow("vowels") << u"아이우에오"_s << u"あいうえお"_s;
    QTest::newRow("k aspirated") << u"카키쿠케코"_s << u"かきくけこ"_s;
    QTest::newRow("g") << u"가기구게고"_s << u"がぎぐげご"_s;
    QTest::newRow("s") << u"사시스수세소"_s << u"さしすすせそ"_s;
    QTest::newRow("z") << u"자지주제조"_s << u"ざじずぜぞ"_s;
    QTest::newRow("t") << u"따타찌티치쯔트츠떼테또토"_s << u"たたちちちつつつててとと"_s;
    QTest::newRow("d") << u"다디두드데도"_s << u"だぢづづでど"_s;
    QTest::newRow("n") << u"나니누네노"_s << u"なにぬねの"_s;
    QTest::newRow("h") << u"하히후헤호"_s << u"はひふへほ"_s;
    QTest::newRow("b") << u"바비부베보"_s << u"ばびぶべぼ"_s;
    QTest::newRow("p") << u"파빠피삐푸뿌페뻬포뽀"_s << u"ぱぱぴぴぷぷぺぺぽぽ"_s;
    QTest::newRow("m") << u"마미무메모"_s << u"まみむめも"_s;
    QTest::newRow("y") << u"야유요"_s << u"やゆよ"_s;
    QTest::newRow("r") << u"라리루레로"_s << u"らりるれろ"_s;
    QTest::newRow("w and n") << u"와워응"_s << u"わをん"_s;

    QTest::newRow("가나다") << u"가나다"_s << u"がなだ"_s;
    QTest::newRow("kana passes") << u"カ가"_s << u"カが"_s;
    QTest::newRow("쓰 and 즈 stay") << u"쓰즈"_s << u"쓰즈"_s;
    QTest::newRow("final consonant") << u"각난산"_s << u"각난산"_s;
    QTest::newRow("y-vowel after consonant") << u"캬쇼류"_s << u"캬쇼류"_s;
    QTest::newRow("latin and digits") << u"ka 1 사"_s << u"ka 1 さ"_s;
    QTest::newRow("jamo") << u"ㄱㅏ"_s << u"ㄱㅏ"_s;
    QTest::newRow("empty") << QString() << QString();
}

void tst_KanaConversion::hangul()
{
    QFETCH(QString, text);
    QFETCH(QString, kana);
    QCOMPARE(KeyInput::convert_KortoJpn(text), kana);
}

void tst_KanaConversion::argumentUnchanged()
{
    const QString romaji = u"kanna"_s;
    const QString hangul = u"가나"_s;
    KeyInput keyboard;
    QCOMPARE(keyboard.convert_EngtoJpn(romaji), u"かんな"_s);
    QCOMPARE(keyboard.convert_KortoJpn(hangul), u"がな"_s);
    QCOMPARE(romaji, u"kanna"_s);
    QCOMPARE(hangul, u"가나"_s);
    QCOMPARE(keyboard.objectName(), u"KeyInput"_s);
}

namespace {
QString randomText(QRandomGenerator &random, int length)
{
    QString text;
    for (int i = 0; i < length; ++i) {
        switch (random.bounded(4)) {
        case 0: // any Hangul syllable
            text += QChar(char16_t(0xAC00 + random.bounded(11172)));
            break;
        case 1: // Latin letters of both cases
            text += QChar(char16_t((random.bounded(2) ? u'a' : u'A') + random.bounded(26)));
            break;
        case 2: // hiragana and katakana
            text += QChar(char16_t(0x3041 + random.bounded(0x30FF - 0x3041)));
            break;
        default: // the syllables of the table are common in real input
            text += u"가나다카사응워쓰즈"_s.at(random.bounded(9));
            break;
        }
    }
    return text;
}
} // namespace

void tst_KanaConversion::hangulKeepsLength()
{
    QRandomGenerator random(20260606);
    for (int round = 0; round < 2000; ++round) {
        const QString text = randomText(random, random.bounded(24));
        const QString kana = KeyInput::convert_KortoJpn(text);
        QCOMPARE(kana.size(), text.size());
        // The output holds no syllable of the table any more, so a second pass changes nothing.
        QCOMPARE(KeyInput::convert_KortoJpn(kana), kana);
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (kana.at(i) != text.at(i))
                QVERIFY2(kana.at(i).unicode() >= 0x3041 && kana.at(i).unicode() <= 0x3093, qPrintable(text));
        }
    }
}

void tst_KanaConversion::romajiLeavesNoVowelOrN()
{
    QRandomGenerator random(7);
    for (int round = 0; round < 2000; ++round) {
        QString text;
        const int length = random.bounded(20);
        for (int i = 0; i < length; ++i)
            text += QChar(char16_t((random.bounded(2) ? u'a' : u'A') + random.bounded(26)));
        const QString kana = KeyInput::convert_EngtoJpn(text);
        QVERIFY(kana.size() <= text.size());
        for (const QChar c : kana)
            QVERIFY2(!u"AIUEONaiueon"_s.contains(c), qPrintable(text + u" -> "_s + kana));
    }
}

QTEST_MAIN(tst_KanaConversion)
#include "tst_kanaconversion.moc"
