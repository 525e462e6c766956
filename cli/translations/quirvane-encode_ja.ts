<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>quirvane-encode</name>
    <message>
        <source>--batch: more than %1 lines</source>
        <translation>--batch: 行が %1 行を超えています</translation>
    </message>
    <message>
        <source>--output: a batch of several lines needs {n} or {text} in the name</source>
        <translation>--output: 複数の行のバッチでは、名前に {n} か {text} が必要です</translation>
    </message>
    <message>
        <source>--output: the pattern leaves {text} no room in 255 bytes</source>
        <translation>--output: このパターンでは、255 バイトの中に {text} の入る余地がありません</translation>
    </message>
    <message>
        <source>--output: lines %1 and %2 would both be written to %3</source>
        <translation>--output: %1 行目と %2 行目がどちらも %3 に書き込まれることになります</translation>
    </message>
    <message>
        <source>--output: line %1 would be written to %2, the batch&apos;s own input</source>
        <translation>--output: %1 行目が、バッチの入力ファイルそのものである %2 に書き込まれることになります</translation>
    </message>
    <message>
        <source>the line is longer than 16 MiB (%1 bytes), the most that is read</source>
        <translation>行が、読み込める上限の 16 MiB（%1 バイト）を超えています</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>メモリが足りません</translation>
    </message>
    <message>
        <source>--jobs: cannot start a thread: %1</source>
        <translation>--jobs: スレッドを開始できません: %1</translation>
    </message>
    <message>
        <source>%1 made, %2 refused, %3 failed</source>
        <translation>作成 %1、拒否 %2、失敗 %3</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>%1 行目: %2</translation>
    </message>
    <message>
        <source>%1 lines</source>
        <translation>%1 行</translation>
    </message>
    <message>
        <source>--batch: cannot read %1: longer than 1 GiB (%2 bytes), the most read of a batch that is not a regular file</source>
        <translation>--batch: %1 を読み込めません: 通常のファイルでないバッチで読み込める上限の 1 GiB（%2 バイト）を超えています</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>標準入力</translation>
    </message>
    <message>
        <source>--batch: cannot copy %1 into a temporary file in %2: %3</source>
        <translation>--batch: %1 を %2 の一時ファイルにコピーできません: %3</translation>
    </message>
    <message>
        <source>--output: lines %1 and %2 were written to one file, %3</source>
        <translation>--output: %1 行目と %2 行目が同じ一つのファイル %3 に書き込まれました</translation>
    </message>
    <message>
        <source>a FIFO (named pipe)</source>
        <translation>FIFO（名前付きパイプ）</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ソケット</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>キャラクタデバイス</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>ブロックデバイス</translation>
    </message>
    <message>
        <source>longer than 16 MiB (%1 bytes), the most that is read</source>
        <translation>読み込める上限の 16 MiB（%1 バイト）を超えています</translation>
    </message>
    <message>
        <source>it is %1; only files, pipes and character devices are read</source>
        <translation>%1 です。読み込むのはファイル、パイプ、キャラクタデバイスだけです</translation>
    </message>
    <message>
        <source>no free name for a temporary file in its folder: the %1 names .quirvane-%2-*.tmp tried were all taken</source>
        <translation>フォルダに一時ファイルの名前の空きがありません: 試した %1 個の名前 .quirvane-%2-*.tmp はすべて使われています</translation>
    </message>
    <message>
        <source>the new file is in place, but its folder could not be synced: %1</source>
        <translation>新しいファイルは置かれましたが、そのフォルダを同期できませんでした: %1</translation>
    </message>
    <message>
        <source>it is %1; a batch writes only files</source>
        <translation>%1 です。バッチが書き込むのはファイルだけです</translation>
    </message>
    <message>
        <source>another file has taken its name</source>
        <translation>別のファイルがその名前になっています</translation>
    </message>
    <message>
        <source>%1: cannot read %2: %3</source>
        <translation>%1: %2 を読み込めません: %3</translation>
    </message>
    <message>
        <source>%1: cannot write to standard output: %2</source>
        <translation>%1: 標準出力に書き込めません: %2</translation>
    </message>
    <message>
        <source>%1: cannot write %2: %3</source>
        <translation>%1: %2 に書き込めません: %3</translation>
    </message>
    <message>
        <source>What to make:</source>
        <translation>作るもの:</translation>
    </message>
    <message>
        <source>How to draw it:</source>
        <translation>描き方:</translation>
    </message>
    <message>
        <source>Where from and where to:</source>
        <translation>入力と出力:</translation>
    </message>
    <message>
        <source>Batches:</source>
        <translation>バッチ:</translation>
    </message>
    <message>
        <source>Messages:</source>
        <translation>メッセージ:</translation>
    </message>
    <message>
        <source>also %1</source>
        <translation>別名 %1</translation>
    </message>
    <message>
        <source>Usage: quirvane-encode [OPTION]... [--] TEXT
  or:  quirvane-encode [OPTION]... [-r FILE]
  or:  quirvane-encode [OPTION]... --batch FILE -o PATTERN
Encode TEXT, the content of FILE or standard input as a QR Code symbol. By
default the tool picks the smallest version that holds the whole text, the
mask that scans best and the shortest mix of modes that every common reader
decodes to the same text, and says nothing unless something goes wrong.
</source>
        <translation>使い方: quirvane-encode [OPTION]... [--] TEXT
  or:  quirvane-encode [OPTION]... [-r FILE]
  or:  quirvane-encode [OPTION]... --batch FILE -o PATTERN
TEXT、FILE の内容、または標準入力を QR コードのシンボルにします。
既定では、テキスト全体が入る最小のバージョン、最も読み取りやすい
マスク、よく使われるどの読み取りアプリでも同じテキストになる最短の
モードの組み合わせを選び、問題がない限り何も表示しません。
</translation>
    </message>
    <message>
        <source>TEXT and FILE are UTF-8 or Shift_JIS. COLOUR is R,G,B (each 0-255) or RRGGBB
in hex, with or without #. In a batch&apos;s name pattern, {n} is the line number,
zero-padded to the width of the count, and {text} the line made safe for a
file name; the pattern needs an extension the tool writes, or -t.
Messages are in Japanese when LC_ALL, LC_MESSAGES or LANG starts with &quot;ja&quot;.
Exit status: 0 symbol written, 1 text refused, 2 bad option or file.
</source>
        <translation>TEXT と FILE は UTF-8 か Shift_JIS です。COLOUR は R,G,B（各 0-255）
か 16 進の RRGGBB です（# は付けても付けなくてもかまいません）。
バッチの名前のパターンでは、{n} は行数の桁数まで 0 で埋めた行番号、
{text} はファイル名に使えるようにした行です。パターンには、このツールが
書く形式の拡張子か -t が必要です。
LC_ALL、LC_MESSAGES、LANG が &quot;ja&quot; で始まると、メッセージは日本語です。
終了ステータス: 0 シンボルを書いた、1 テキストを拒否した、
2 オプションかファイルの誤り。
</translation>
    </message>
    <message>
        <source>unknown option %1; see --help</source>
        <translation>%1 というオプションはありません。--help を見てください</translation>
    </message>
    <message>
        <source>unknown option %1; did you mean %2?</source>
        <translation>%1 というオプションはありません。%2 のことですか？</translation>
    </message>
    <message>
        <source>%1: %2 is not accepted; %3</source>
        <translation>%1: %2 は使えません。%3</translation>
    </message>
    <message>
        <source>%1 needs a value; see --help</source>
        <translation>%1 には値が必要です。--help を見てください</translation>
    </message>
    <message>
        <source>more than one text given: quote the text, or use --input FILE</source>
        <translation>テキストが複数あります。テキストを引用符で囲むか、--input FILE を使ってください</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 は値を取りません</translation>
    </message>
    <message>
        <source>use %1 to %2</source>
        <translation>%1 から %2 までを指定してください</translation>
    </message>
    <message>
        <source>error-correction level, in either case
(default L)</source>
        <translation>誤り訂正レベル。大文字でも小文字でも可
（既定 L）</translation>
    </message>
    <message>
        <source>use L, M, Q or H</source>
        <translation>L、M、Q、H のどれかを指定してください</translation>
    </message>
    <message>
        <source>smallest version, 1-40; a longer text gets
a larger one (default 1)</source>
        <translation>最小のバージョン 1-40。長いテキストには
より大きいバージョンを使う（既定 1）</translation>
    </message>
    <message>
        <source>use 1 to 40, or auto</source>
        <translation>1 から 40 まで、または auto を指定してください</translation>
    </message>
    <message>
        <source>largest version a text may get (default 40)</source>
        <translation>テキストに使ってよい最大のバージョン
（既定 40）</translation>
    </message>
    <message>
        <source>make version N of -v exactly, and refuse a
text that does not fit it</source>
        <translation>-v の N のバージョンそのもので作り、
入りきらないテキストは拒否する</translation>
    </message>
    <message>
        <source>make version N of -v exactly, holding the
start of a text too long for it, as the
window does</source>
        <translation>-v の N のバージョンそのもので作り、
長すぎるテキストはウィンドウと同じく
入るだけの先頭部分にする</translation>
    </message>
    <message>
        <source>auto, byte, alnum, numeric or kanji (default
auto: the shortest mix of modes)</source>
        <translation>auto、byte、alnum、numeric、kanji
（既定 auto: 最短になるモードの組み合わせ）</translation>
    </message>
    <message>
        <source>use auto, byte, alnum, numeric or kanji</source>
        <translation>auto、byte、alnum、numeric、kanji のどれかを指定してください</translation>
    </message>
    <message>
        <source>8-bit byte mode: --mode byte</source>
        <translation>8ビットバイトモード（--mode byte）</translation>
    </message>
    <message>
        <source>Kanji mode: --mode kanji</source>
        <translation>漢字モード（--mode kanji）</translation>
    </message>
    <message>
        <source>mask pattern (default auto: the lowest
penalty)</source>
        <translation>マスクパターン（既定 auto: 失点が最も
少ないもの）</translation>
    </message>
    <message>
        <source>use auto or 0 to 7</source>
        <translation>auto か、0 から 7 までを指定してください</translation>
    </message>
    <message>
        <source>how byte mode writes the text: shift_jis,
utf-8 or bytes (as given); implies byte mode
(default: Shift_JIS when every character has
a form there, else UTF-8)</source>
        <translation>バイトモードでのテキストの書き方: shift_jis、
utf-8、bytes（与えられたまま）。バイトモード
になる（既定: すべての文字が Shift_JIS に
あれば Shift_JIS、なければ UTF-8）</translation>
    </message>
    <message>
        <source>use shift_jis, utf-8 or bytes</source>
        <translation>shift_jis、utf-8、bytes のどれかを指定してください</translation>
    </message>
    <message>
        <source>write the designator of that encoding (20 or
26) before the data; implies byte mode</source>
        <translation>その符号化の ECI 指示子（20 か 26）を
データの前に書く。バイトモードになる</translation>
    </message>
    <message>
        <source>png, svg, eps, pdf, txt or terminal, in either
case (default: from the output&apos;s extension;
on a terminal, terminal; else txt)</source>
        <translation>png、svg、eps、pdf、txt、terminal。大文字
でも可（既定: 出力の拡張子から。端末には
terminal、それ以外は txt）</translation>
    </message>
    <message>
        <source>use png, svg, eps, pdf, txt or terminal</source>
        <translation>png、svg、eps、pdf、txt、terminal のどれかを指定してください</translation>
    </message>
    <message>
        <source>pixels (units) a module, 1-100 (default 2)</source>
        <translation>1 モジュールのピクセル（単位）数 1-100
（既定 2）</translation>
    </message>
    <message>
        <source>light modules around the symbol, 0-100
(default 4)</source>
        <translation>シンボルの周りの明モジュールの幅 0-100
（既定 4）</translation>
    </message>
    <message>
        <source>resolution recorded in png, svg, eps and pdf,
1-10000</source>
        <translation>png、svg、eps、pdf に記録する解像度
1-10000</translation>
    </message>
    <message>
        <source>colour of dark modules (default 000000)</source>
        <translation>暗モジュールの色（既定 000000）</translation>
    </message>
    <message>
        <source>use R,G,B (each 0 to 255) or RRGGBB in hex, such as 1e4e79</source>
        <translation>R,G,B（各 0 から 255）か、1e4e79 のような 16 進の RRGGBB を指定してください</translation>
    </message>
    <message>
        <source>colour of light modules, or transparent
(default ffffff)</source>
        <translation>明モジュールの色、または transparent
（既定 ffffff）</translation>
    </message>
    <message>
        <source>use R,G,B, RRGGBB, RRGGBB00 or RRGGBBff in hex, or transparent</source>
        <translation>R,G,B、16 進の RRGGBB、RRGGBB00、RRGGBBff、または transparent を指定してください</translation>
    </message>
    <message>
        <source>read the text from FILE, - for standard
input (UTF-8 or Shift_JIS; a final line
feed is not part of it)</source>
        <translation>テキストを FILE から読む。- は標準入力
（UTF-8 か Shift_JIS。最後の改行は
テキストに含めない）</translation>
    </message>
    <message>
        <source>use a file name, or - for standard input</source>
        <translation>ファイル名か、標準入力なら - を指定してください</translation>
    </message>
    <message>
        <source>every line feed of the text becomes CR LF,
the last one too, as the window reads a file</source>
        <translation>ウィンドウがファイルを読むときと同じく、
テキストの改行を最後のものまですべて
CR LF にする</translation>
    </message>
    <message>
        <source>where to write (default -, standard output)</source>
        <translation>書き込み先（既定 -、標準出力）</translation>
    </message>
    <message>
        <source>use a file name, or - for standard output</source>
        <translation>ファイル名か、標準出力なら - を指定してください</translation>
    </message>
    <message>
        <source>one symbol per line of FILE (- for standard
input); --output is then a name pattern</source>
        <translation>FILE（- は標準入力）の 1 行ごとに
シンボルを 1 つ作る。--output は名前の
パターンになる</translation>
    </message>
    <message>
        <source>symbols made at once, at most one per core
(default: one per core)</source>
        <translation>同時に作るシンボルの数。多くてコア数
（既定: コア数）</translation>
    </message>
    <message>
        <source>print the statistics line and the choices
made</source>
        <translation>統計の行と選んだ設定を表示する</translation>
    </message>
    <message>
        <source>show this help</source>
        <translation>このヘルプを表示する</translation>
    </message>
    <message>
        <source>show the program&apos;s version</source>
        <translation>プログラムのバージョンを表示する</translation>
    </message>
    <message>
        <source>--strict-version and --cut do not go together</source>
        <translation>--strict-version と --cut は一緒に使えません</translation>
    </message>
    <message>
        <source>%1 needs -v N, the version to make</source>
        <translation>%1 には、作るバージョンを指定する -v N が必要です</translation>
    </message>
    <message>
        <source>--max-version bounds a version that grows, not one made exactly with %1</source>
        <translation>--max-version は大きくなるバージョンの上限です。%1 で決めたバージョンには使えません</translation>
    </message>
    <message>
        <source>-v %1 is above --max-version %2</source>
        <translation>-v %1 が --max-version %2 を超えています</translation>
    </message>
    <message>
        <source>give the text one way only: as an argument, with --input or with --batch</source>
        <translation>テキストは、引数、--input、--batch のどれか一つで渡してください</translation>
    </message>
    <message>
        <source>no text given: pass it as an argument, with --input FILE or on standard input; see --help</source>
        <translation>テキストがありません。引数、--input FILE、標準入力のどれかで渡してください。--help を見てください</translation>
    </message>
    <message>
        <source>%1 applies to --mode byte</source>
        <translation>%1 は --mode byte にだけ使えます</translation>
    </message>
    <message>
        <source>--eci: the encoding of --encoding bytes is unknown; use --encoding shift_jis or utf-8</source>
        <translation>--eci: --encoding bytes では符号化がわかりません。--encoding shift_jis か utf-8 を使ってください</translation>
    </message>
    <message>
        <source>--batch needs --output with a name pattern, such as &apos;qr-{n}.png&apos;</source>
        <translation>--batch には、&apos;qr-{n}.png&apos; のような名前のパターンを --output で指定してください</translation>
    </message>
    <message>
        <source>--jobs applies to --batch</source>
        <translation>--jobs は --batch にだけ使えます</translation>
    </message>
    <message>
        <source>--output: %1 does not end in an extension the tool writes; use .png, .svg, .eps, .pdf or .txt, or give -t</source>
        <translation>--output: %1 の拡張子は、このツールが書く形式のものではありません。.png、.svg、.eps、.pdf、.txt のどれかにするか、-t を指定してください</translation>
    </message>
    <message>
        <source>the text does not fit: version %1 holds only the first %2 of its %3 characters</source>
        <translation>テキストが入りません: バージョン %1 に入るのは %3 文字のうち先頭の %2 文字だけです</translation>
    </message>
    <message>
        <source>; no symbol holds it</source>
        <translation>。どのシンボルにも入りません</translation>
    </message>
    <message>
        <source>; version %1 would hold it</source>
        <translation>。バージョン %1 なら入ります</translation>
    </message>
    <message>
        <source>character %1, %2, has no Shift_JIS form</source>
        <translation>%1 文字目の %2 は Shift_JIS にない文字です</translation>
    </message>
    <message>
        <source>character %1, %2, is not a digit: numeric mode writes only 0-9</source>
        <translation>%1 文字目の %2 は数字ではありません。数字モードで書けるのは 0-9 だけです</translation>
    </message>
    <message>
        <source>character %1, %2, is not one alphanumeric mode writes: 0-9, A-Z, space and $%*+-./:</source>
        <translation>%1 文字目の %2 は、英数字モードで書ける文字（0-9、A-Z、空白、$%*+-./:）ではありません</translation>
    </message>
    <message>
        <source>character %1, %2, is not ASCII, which GS1 and FNC1 symbols hold</source>
        <translation>%1 文字目の %2 は ASCII の文字ではありません。GS1 と FNC1 のシンボルには ASCII しか書けません</translation>
    </message>
    <message>
        <source>character %1, %2, is not a JIS X 0208 character, which Kanji mode writes</source>
        <translation>%1 文字目の %2 は、漢字モードで書ける JIS X 0208 の文字ではありません</translation>
    </message>
    <message>
        <source>the text is not UTF-8: byte %1 starts no character</source>
        <translation>テキストが UTF-8 ではありません: %1 バイト目から始まる文字がありません</translation>
    </message>
    <message>
        <source>the encoder refused the request</source>
        <translation>エンコーダが要求を拒否しました</translation>
    </message>
    <message>
        <source>numeric</source>
        <translation>数字</translation>
    </message>
    <message>
        <source>alphanumeric</source>
        <translation>英数字</translation>
    </message>
    <message>
        <source>kanji</source>
        <translation>漢字</translation>
    </message>
    <message>
        <source>byte</source>
        <translation>8ビットバイト</translation>
    </message>
    <message>
        <source>--module-width: the PNG would be %1 pixels a side, more than %2; use a smaller --module-width or --quiet-zone, or svg, eps or pdf</source>
        <translation>--module-width: PNG の一辺が上限の %2 を超える %1 ピクセルになります。--module-width か --quiet-zone を小さくするか、svg、eps、pdf を使ってください</translation>
    </message>
    <message>
        <source>%1 (%2 characters)</source>
        <translation>%1（%2 文字）</translation>
    </message>
    <message>
        <source>quirvane-encode: version %1, mask %2, segments: %3</source>
        <translation>quirvane-encode: バージョン %1、マスク %2、セグメント: %3</translation>
    </message>
    <message>
        <source>, ECI %1</source>
        <translation>、ECI %1</translation>
    </message>
    <message>
        <source>quirvane-encode: %1 of the text&apos;s %2 characters left out: version %3 holds only its start</source>
        <translation>quirvane-encode: テキストの %2 文字のうち %1 文字を省きました: バージョン %3 に入るのは先頭だけです</translation>
    </message>
    <message>
        <source>the text is neither UTF-8 nor Shift_JIS; --encoding bytes takes it byte for byte</source>
        <translation>テキストが UTF-8 でも Shift_JIS でもありません。--encoding bytes ならバイトのまま使います</translation>
    </message>
    <message>
        <source>the text is not UTF-8; --encoding bytes takes it byte for byte</source>
        <translation>テキストが UTF-8 ではありません。--encoding bytes ならバイトのまま使います</translation>
    </message>
</context>
</TS>
