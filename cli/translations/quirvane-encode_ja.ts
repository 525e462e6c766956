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
        <source>; no single symbol holds it: -S spreads it over several</source>
        <translation>。1つのシンボルには入りません。-S で複数のシンボルに分けられます</translation>
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
    <message>
        <source>written, but it does not read back</source>
        <translation>書き込みましたが、読み取れません</translation>
    </message>
    <message>
        <source>%1 made, %2 refused, %3 failed; %4 did not read back</source>
        <translation>作成 %1、拒否 %2、失敗 %3。読み取れなかったもの %4</translation>
    </message>
    <message>
        <source>--family-name or --given-name</source>
        <translation>--family-name か --given-name</translation>
    </message>
    <message>
        <source>--family-reading or --given-reading</source>
        <translation>--family-reading か --given-reading</translation>
    </message>
    <message>
        <source>use 1 to 32 bytes, without a line break</source>
        <translation>改行のない 1 から 32 バイトにしてください</translation>
    </message>
    <message>
        <source>WPA takes 8 to 63 ASCII characters or 64 hex digits, WEP 5 or 13 characters or 10 or 26 hex digits</source>
        <translation>WPA は ASCII 8 から 63 文字か 16 進 64 桁、WEP は 5 文字か 13 文字、または 16 進 10 桁か 26 桁です</translation>
    </message>
    <message>
        <source>use digits, with a + before them if need be</source>
        <translation>数字を使ってください（必要なら先頭に +）</translation>
    </message>
    <message>
        <source>use one address, such as name@example.com</source>
        <translation>name@example.com のようなアドレスを一つ指定してください</translation>
    </message>
    <message>
        <source>use a date that exists, YYYY-MM-DD</source>
        <translation>実在する日付を YYYY-MM-DD で指定してください</translation>
    </message>
    <message>
        <source>use decimal degrees, -90 to 90</source>
        <translation>-90 から 90 までの度（10 進）を指定してください</translation>
    </message>
    <message>
        <source>use decimal degrees, -180 to 180</source>
        <translation>-180 から 180 までの度（10 進）を指定してください</translation>
    </message>
    <message>
        <source>use a date that exists, YYYY-MM-DD, or a moment, YYYY-MM-DDTHH:MM with Z or an offset such as +09:00</source>
        <translation>実在する日付 YYYY-MM-DD か、日時 YYYY-MM-DDTHH:MM に Z か +09:00 のような時差を付けて指定してください</translation>
    </message>
    <message>
        <source>the text must be UTF-8, without control characters</source>
        <translation>制御文字を含まない UTF-8 のテキストにしてください</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 には %2 が必要です</translation>
    </message>
    <message>
        <source>%1: not accepted; %2</source>
        <translation>%1: 使えません。%2</translation>
    </message>
    <message>
        <source>%1 does not go with %2</source>
        <translation>%1 は %2 と一緒に使えません</translation>
    </message>
    <message>
        <source>--end: the event ends before it starts</source>
        <translation>--end: 予定が始まる前に終わっています</translation>
    </message>
    <message>
        <source>--end: give --start and --end both as dates, or both as moments</source>
        <translation>--end: --start と --end は、両方とも日付か、両方とも日時で指定してください</translation>
    </message>
    <message>
        <source>%1 is a field of a content format: give --wifi, --mecard, --vcard, --mailto, --tel, --sms, --geo or --event</source>
        <translation>%1 は内容の形式の項目です。--wifi、--mecard、--vcard、--mailto、--tel、--sms、--geo、--event のどれかを指定してください</translation>
    </message>
    <message>
        <source>%1 goes only once with %2</source>
        <translation>%2 では %1 は一度しか使えません</translation>
    </message>
    <message>
        <source>A long text over several symbols (structured append):</source>
        <translation>長いテキストを複数のシンボルに（連結）:</translation>
    </message>
    <message>
        <source>GS1 and other industry formats:</source>
        <translation>GS1 などの業界の形式:</translation>
    </message>
    <message>
        <source>Texts phones act on, made from the fields below (one format):</source>
        <translation>スマートフォンが扱うテキスト（下の項目から作る。形式は一つ）:</translation>
    </message>
    <message>
        <source>Their fields:</source>
        <translation>その項目:</translation>
    </message>
    <message>
        <source>Will it scan:</source>
        <translation>読み取れるか:</translation>
    </message>
    <message>
        <source>TEXT and FILE are UTF-8 or Shift_JIS. COLOUR is R,G,B (each 0-255) or RRGGBB
in hex, with or without #. In a batch&apos;s name pattern, {n} is the line number,
zero-padded to the width of the count, and {text} the line made safe for a
file name; the pattern needs an extension the tool writes, or -t. With -S,
{part} in --output is the part&apos;s number, zero-padded to the width of the
count.
Messages are in Japanese when LC_ALL, LC_MESSAGES or LANG starts with &quot;ja&quot;.
Exit status: 0 symbol written, 1 text refused, 2 bad option or file,
3 written but --check found that it does not read back or grades F.
</source>
        <translation>TEXT と FILE は UTF-8 か Shift_JIS です。COLOUR は R,G,B（各 0-255）
か 16 進の RRGGBB です（# は付けても付けなくてもかまいません）。
バッチの名前のパターンでは、{n} は行数の桁数まで 0 で埋めた行番号、
{text} はファイル名に使えるようにした行です。パターンには、このツールが
書く形式の拡張子か -t が必要です。-S では、--output の {part} は
部分の番号を部分の数の桁数まで 0 で埋めたものです。
LC_ALL、LC_MESSAGES、LANG が &quot;ja&quot; で始まると、メッセージは日本語です。
終了ステータス: 0 シンボルを書いた、1 テキストを拒否した、
2 オプションかファイルの誤り、3 書いたが --check で読み取れないか
等級 F だった。
</translation>
    </message>
    <message>
        <source>%1 and %2 do not go together</source>
        <translation>%1 と %2 は一緒に使えません</translation>
    </message>
    <message>
        <source>split the text over the fewest symbols that
hold it, 2-16, which readers join again;
with -v N every part is version N</source>
        <translation>テキストが入る最少の数（2-16）のシンボル
に分ける。読み取りアプリがつなぎ直す。
各部分のバージョンは -v N で指定</translation>
    </message>
    <message>
        <source>split it over N symbols, 2-16; implies -S</source>
        <translation>N 個（2-16）のシンボルに分ける。-S になる</translation>
    </message>
    <message>
        <source>files: one file per part, named by {part} in
the output&apos;s name; row: all parts side by
side in one png, svg, eps or pdf (default
files)</source>
        <translation>files: 部分ごとに 1 ファイル。出力の名前の
{part} で名付ける。row: 全部分を横に並べて
一つの png、svg、eps、pdf にする（既定
files）</translation>
    </message>
    <message>
        <source>use files or row</source>
        <translation>files か row を指定してください</translation>
    </message>
    <message>
        <source>a GS1 symbol of STRING, or of the text:
(01)09501101530003(17)251231, or the element
string with GS after data of no fixed length</source>
        <translation>STRING かテキストの GS1 シンボル:
(01)09501101530003(17)251231 の形か、
長さの決まっていないデータの後に GS
を置いたエレメントストリング</translation>
    </message>
    <message>
        <source>give the text one way only</source>
        <translation>テキストは一つの方法で渡してください</translation>
    </message>
    <message>
        <source>the text follows the industry format of
application indicator IND, a letter or two
digits</source>
        <translation>テキストがアプリケーション標識 IND
（英字 1 文字か数字 2 桁）の業界の
形式に従う</translation>
    </message>
    <message>
        <source>use a letter or two digits, such as 37</source>
        <translation>英字 1 文字か、37 のような数字 2 桁を指定してください</translation>
    </message>
    <message>
        <source>a Wi-Fi network to join</source>
        <translation>接続する Wi-Fi ネットワーク</translation>
    </message>
    <message>
        <source>a contact as a MeCard, the format Japanese
phones read</source>
        <translation>連絡先を MeCard で（日本の携帯電話が
読む形式）</translation>
    </message>
    <message>
        <source>a contact as a vCard 3.0</source>
        <translation>連絡先を vCard 3.0 で</translation>
    </message>
    <message>
        <source>a mail to write</source>
        <translation>書くメール</translation>
    </message>
    <message>
        <source>a number to call</source>
        <translation>かける電話番号</translation>
    </message>
    <message>
        <source>a text message to send</source>
        <translation>送るショートメッセージ</translation>
    </message>
    <message>
        <source>a place on a map</source>
        <translation>地図上の場所</translation>
    </message>
    <message>
        <source>a calendar event</source>
        <translation>カレンダーの予定</translation>
    </message>
    <message>
        <source>print the text that would be encoded, and
draw nothing</source>
        <translation>符号化するテキストを表示し、シンボルは
描かない</translation>
    </message>
    <message>
        <source>the network&apos;s name (wifi)</source>
        <translation>ネットワーク名（wifi）</translation>
    </message>
    <message>
        <source>its password (wifi)</source>
        <translation>パスワード（wifi）</translation>
    </message>
    <message>
        <source>its security, in either case (wifi; default
WPA)</source>
        <translation>暗号化。大文字でも小文字でも可（wifi。
既定 WPA）</translation>
    </message>
    <message>
        <source>use WPA, WEP or nopass</source>
        <translation>WPA、WEP、nopass のどれかを指定してください</translation>
    </message>
    <message>
        <source>it does not announce its name (wifi)</source>
        <translation>ネットワーク名を知らせない（wifi）</translation>
    </message>
    <message>
        <source>the family name (mecard, vcard)</source>
        <translation>姓（mecard、vcard）</translation>
    </message>
    <message>
        <source>the given name (mecard, vcard)</source>
        <translation>名（mecard、vcard）</translation>
    </message>
    <message>
        <source>the family name&apos;s reading in kana (mecard,
vcard)</source>
        <translation>姓の読み（かな。mecard、vcard）</translation>
    </message>
    <message>
        <source>the given name&apos;s reading in kana (mecard,
vcard)</source>
        <translation>名の読み（かな。mecard、vcard）</translation>
    </message>
    <message>
        <source>a telephone number (tel, sms; mecard and
vcard take several)</source>
        <translation>電話番号（tel、sms。mecard と vcard
では複数可）</translation>
    </message>
    <message>
        <source>a mail address (mailto; mecard and vcard
take several)</source>
        <translation>メールアドレス（mailto。mecard と
vcard では複数可）</translation>
    </message>
    <message>
        <source>the organisation (vcard)</source>
        <translation>組織（vcard）</translation>
    </message>
    <message>
        <source>the job title (vcard)</source>
        <translation>役職（vcard）</translation>
    </message>
    <message>
        <source>the postal address (mecard, vcard)</source>
        <translation>住所（mecard、vcard）</translation>
    </message>
    <message>
        <source>a web address (mecard, vcard)</source>
        <translation>URL（mecard、vcard）</translation>
    </message>
    <message>
        <source>a note (mecard, vcard)</source>
        <translation>メモ（mecard、vcard）</translation>
    </message>
    <message>
        <source>the birthday, YYYY-MM-DD (mecard, vcard)</source>
        <translation>誕生日 YYYY-MM-DD（mecard、vcard）</translation>
    </message>
    <message>
        <source>the mail&apos;s subject (mailto)</source>
        <translation>メールの件名（mailto）</translation>
    </message>
    <message>
        <source>the mail&apos;s body (mailto), or the message
(sms)</source>
        <translation>メールの本文（mailto）、または
メッセージ（sms）</translation>
    </message>
    <message>
        <source>decimal degrees, -90 to 90 (geo)</source>
        <translation>緯度。-90 から 90 までの度（geo）</translation>
    </message>
    <message>
        <source>decimal degrees, -180 to 180 (geo)</source>
        <translation>経度。-180 から 180 までの度（geo）</translation>
    </message>
    <message>
        <source>what the event is (event)</source>
        <translation>予定の内容（event）</translation>
    </message>
    <message>
        <source>when it starts: YYYY-MM-DD for a whole day,
or YYYY-MM-DDTHH:MM with Z or +HH:MM (event)</source>
        <translation>開始: 終日なら YYYY-MM-DD、または
YYYY-MM-DDTHH:MM に Z か +HH:MM（event）</translation>
    </message>
    <message>
        <source>its last day, or the moment it ends (event)</source>
        <translation>最終日、または終わる日時（event）</translation>
    </message>
    <message>
        <source>where it is (event)</source>
        <translation>場所（event）</translation>
    </message>
    <message>
        <source>read what is written back with zbar and report
the contrast, quiet zone, module size and
whether it reads back; exit 3 if it does not
or the contrast grades F</source>
        <translation>書いたものを zbar で読み取り、コントラスト、
クワイエットゾーン、モジュールの大きさと
読み取れたかを表示する。読み取れないか
コントラストが等級 F なら終了ステータス 3</translation>
    </message>
    <message>
        <source>give the text one way only: as an argument, with --input, with --batch or as a content format&apos;s fields</source>
        <translation>テキストは、引数、--input、--batch、内容の形式の項目のどれか一つで渡してください</translation>
    </message>
    <message>
        <source>%1 makes its symbols in automatic mode: --mode, -8, -k, --encoding and --eci do not go with it</source>
        <translation>%1 は自動モードでシンボルを作ります。--mode、-8、-k、--encoding、--eci とは一緒に使えません</translation>
    </message>
    <message>
        <source>--layout applies to -S</source>
        <translation>--layout は -S にだけ使えます</translation>
    </message>
    <message>
        <source>-S writes one file per part: put {part} in --output&apos;s name, such as &apos;label-{part}.png&apos;, or give --layout row</source>
        <translation>-S は部分ごとに 1 ファイルを書きます。&apos;label-{part}.png&apos; のように --output の名前に {part} を入れるか、--layout row を指定してください</translation>
    </message>
    <message>
        <source>the text is too short for %2 symbols, which need a character each; it has %1</source>
        <translation>テキストが短すぎて %2 個のシンボルにできません。シンボル 1 個に 1 文字以上が必要ですが、テキストは %1 文字です</translation>
    </message>
    <message>
        <source>a character of the text does not fit version %1</source>
        <translation>テキストの文字がバージョン %1 に入りません</translation>
    </message>
    <message>
        <source>the text needs %1 symbols of version %2, and structured append joins at most %3</source>
        <translation>テキストにはバージョン %2 のシンボルが %1 個必要ですが、連結できるのは %3 個までです</translation>
    </message>
    <message>
        <source>the text needs %1 symbols of version %2, more than --parts %3</source>
        <translation>テキストにはバージョン %2 のシンボルが %1 個必要で、--parts %3 より多くなります</translation>
    </message>
    <message>
        <source>--gs1: character %1 starts no Application Identifier; write each in brackets, such as (01)</source>
        <translation>--gs1: %1 文字目からアプリケーション識別子が始まっていません。(01) のように括弧で囲んで書いてください</translation>
    </message>
    <message>
        <source>--gs1: character %1: %2 is not an Application Identifier GS1 defines</source>
        <translation>--gs1: %1 文字目: %2 は GS1 が定めるアプリケーション識別子ではありません</translation>
    </message>
    <message>
        <source>--gs1: AI %1 has no data after it</source>
        <translation>--gs1: AI %1 の後にデータがありません</translation>
    </message>
    <message>
        <source>--gs1: AI %1: character %2, %3, may not stand there: its data is digits only, or GS1&apos;s 82 characters</source>
        <translation>--gs1: AI %1: %2 文字目の %3 はそこに置けません。データは数字だけか、GS1 の 82 文字です</translation>
    </message>
    <message>
        <source>--gs1: AI %1: its data, from character %2, is not of the length the AI takes</source>
        <translation>--gs1: AI %1: %2 文字目からのデータが、この AI の長さではありません</translation>
    </message>
    <message>
        <source>--gs1: AI %1: the check digit, character %2, is wrong: it should be %3</source>
        <translation>--gs1: AI %1: %2 文字目のチェックデジットが違います。正しくは %3 です</translation>
    </message>
    <message>
        <source>--gs1: AI %1: %2, from character %3, is not a date (YYMMDD, DD 00 for a whole month)</source>
        <translation>--gs1: AI %1: %3 文字目からの %2 は日付（YYMMDD、月全体なら DD は 00）ではありません</translation>
    </message>
    <message>
        <source>--gs1: the element string is empty</source>
        <translation>--gs1: エレメントストリングが空です</translation>
    </message>
    <message>
        <source>warning: the colours&apos; contrast is %1 %, grade %2: readers may not see the symbol</source>
        <translation>警告: この色では読み取れない可能性があります（コントラスト %1 %、等級 %2）</translation>
    </message>
    <message>
        <source>warning: the dark modules are lighter than the background: many readers do not read such a symbol</source>
        <translation>警告: 暗モジュールが背景より明るくなっています。このようなシンボルを読めない読み取りアプリが多くあります</translation>
    </message>
    <message>
        <source>warning: the quiet zone in modules is %1, where readers need 4 to find the symbol</source>
        <translation>警告: クワイエットゾーンが %1 モジュールしかありません。読み取りアプリがシンボルを見つけるには 4 モジュール必要です</translation>
    </message>
    <message>
        <source>warning: modules of 1 pixel often do not scan: use -s 2 or more</source>
        <translation>警告: 1ピクセルでは読み取れない可能性があります。-s 2 以上にしてください</translation>
    </message>
    <message>
        <source>contrast: %1 %, grade %2, reversed: light modules on a dark background</source>
        <translation>コントラスト: %1 %、等級 %2、反転（暗い背景に明るいモジュール）</translation>
    </message>
    <message>
        <source>contrast: %1 %, grade %2, dark modules on a light background</source>
        <translation>コントラスト: %1 %、等級 %2、明るい背景に暗いモジュール</translation>
    </message>
    <message>
        <source>the background is transparent: graded against white paper</source>
        <translation>背景が透明なので、白い紙の上として評価しました</translation>
    </message>
    <message>
        <source>quiet zone in modules: %1</source>
        <translation>クワイエットゾーン（モジュール）: %1</translation>
    </message>
    <message>
        <source>read back: yes</source>
        <translation>読み取り: できた</translation>
    </message>
    <message>
        <source>read back: no</source>
        <translation>読み取り: できなかった</translation>
    </message>
    <message>
        <source>--layout row draws png, svg, eps or pdf; for text, write one file per part with {part}</source>
        <translation>--layout row で描けるのは png、svg、eps、pdf です。テキストなら {part} で部分ごとに 1 ファイルにしてください</translation>
    </message>
    <message>
        <source>--module-width: the PNG would be %1 pixels wide, more than %2; use a smaller --module-width or --quiet-zone, or svg, eps or pdf</source>
        <translation>--module-width: PNG の幅が上限の %2 を超える %1 ピクセルになります。--module-width か --quiet-zone を小さくするか、svg、eps、pdf を使ってください</translation>
    </message>
    <message>
        <source>quirvane-encode: %1 symbols with structured append, version %2, masks %3</source>
        <translation>quirvane-encode: 連結のシンボル %1 個、バージョン %2、マスク %3</translation>
    </message>
    <message>
        <source>module: %1 px, %2 mm</source>
        <translation>モジュール: %1 ピクセル、%2 mm</translation>
    </message>
    <message>
        <source>module: %1 mm</source>
        <translation>モジュール: %1 mm</translation>
    </message>
    <message>
        <source>module: %1 px</source>
        <translation>モジュール: %1 ピクセル</translation>
    </message>
</context>
</TS>
