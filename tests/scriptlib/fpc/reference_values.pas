{ Prints reference values of the classic run-time library's formatter, number
  and date routines for the scriptlib tests, one case a line, fields separated
  by TAB. Rerun it from the repository's root (the binary stays in /tmp) and
  commit its output:

    mkdir -p /tmp/oxref &&
    fpc -Mdelphi -FE/tmp/oxref tests/scriptlib/fpc/reference_values.pas &&
    /tmp/oxref/reference_values > tests/scriptlib/data/reference_values.tsv

  The settings below are fixed explicitly so the output does not depend on the
  machine's locale; the player's date and number text uses the same ones:
    DecimalSeparator '.', ThousandSeparator ',', CurrencyString '$',
    CurrencyFormat 0 ('$1'), NegCurrFormat 1 ('-$1'), CurrencyDecimals 2,
    DateSeparator '.', TimeSeparator ':', ShortDateFormat 'dd.mm.yyyy',
    LongDateFormat 'd mmmm yyyy', ShortTimeFormat 'hh:nn',
    LongTimeFormat 'hh:nn:ss', TimeAMString 'AM', TimePMString 'PM',
    English month and day names.
  A failing call prints ERROR in place of its result. }
program reference_values;

uses SysUtils, DateUtils;

const
  Tab = #9;
  ShortMonths: array[1..12] of string = ('Jan', 'Feb', 'Mar', 'Apr', 'May', 'Jun',
    'Jul', 'Aug', 'Sep', 'Oct', 'Nov', 'Dec');
  LongMonths: array[1..12] of string = ('January', 'February', 'March', 'April',
    'May', 'June', 'July', 'August', 'September', 'October', 'November', 'December');
  ShortDays: array[1..7] of string = ('Sun', 'Mon', 'Tue', 'Wed', 'Thu', 'Fri', 'Sat');
  LongDays: array[1..7] of string = ('Sunday', 'Monday', 'Tuesday', 'Wednesday',
    'Thursday', 'Friday', 'Saturday');

procedure FixSettings;
var i: Integer;
begin
  with FormatSettings do
  begin
    DecimalSeparator := '.';
    ThousandSeparator := ',';
    CurrencyString := '$';
    CurrencyFormat := 0;
    NegCurrFormat := 1;
    CurrencyDecimals := 2;
    DateSeparator := '.';
    TimeSeparator := ':';
    ShortDateFormat := 'dd.mm.yyyy';
    LongDateFormat := 'd mmmm yyyy';
    ShortTimeFormat := 'hh:nn';
    LongTimeFormat := 'hh:nn:ss';
    TimeAMString := 'AM';
    TimePMString := 'PM';
    for i := 1 to 12 do
    begin
      ShortMonthNames[i] := ShortMonths[i];
      LongMonthNames[i] := LongMonths[i];
    end;
    for i := 1 to 7 do
    begin
      ShortDayNames[i] := ShortDays[i];
      LongDayNames[i] := LongDays[i];
    end;
  end;
end;

function Num(const S: string): Double;
begin
  Result := StrToFloat(S);
end;

{ Formatter cases: specifier, argument kind (i 32-bit, l 64-bit, f float, s string), argument, result. }
procedure FmtInt(const Specifier: string; V: Integer);
var R: string;
begin
  try R := Format(Specifier, [V]); except R := 'ERROR'; end;
  WriteLn('format', Tab, Specifier, Tab, 'i', Tab, IntToStr(V), Tab, R);
end;

procedure FmtInt64(const Specifier: string; V: Int64);
var R: string;
begin
  try R := Format(Specifier, [V]); except R := 'ERROR'; end;
  WriteLn('format', Tab, Specifier, Tab, 'l', Tab, IntToStr(V), Tab, R);
end;

procedure FmtFloat(const Specifier, V: string);
var R: string;
begin
  try R := Format(Specifier, [Num(V)]); except R := 'ERROR'; end;
  WriteLn('format', Tab, Specifier, Tab, 'f', Tab, V, Tab, R);
end;

procedure FmtStr(const Specifier, V: string);
var R: string;
begin
  try R := Format(Specifier, [V]); except R := 'ERROR'; end;
  WriteLn('format', Tab, Specifier, Tab, 's', Tab, V, Tab, R);
end;

procedure FloatFormats(const V: string);
const Specs: array[0..16] of string = ('%.15f', '%f', '%.0f', '%.3f', '%12.4f', '%-12.1f|',
  '%.3e', '%.15e', '%12.2e', '%.1e', '%.15g', '%.6g', '%.2g', '%n', '%.0n', '%m', '%.1m');
var i: Integer;
begin
  for i := Low(Specs) to High(Specs) do FmtFloat(Specs[i], V);
end;

procedure FormatCases;
const Floats: array[0..13] of string = ('0', '1.5', '-1.5', '0.125', '2.5', '0.1', '1e-5',
  '123456789.125', '-987654.3215', '1e15', '1e18', '1e20', '3.14159265358979', '1e-20');
var V: string;
begin
  FmtInt('%d', 42); FmtInt('%d', -42); FmtInt('%5d', 42); FmtInt('%-5d|', 42);
  FmtInt('%.5d', -42); FmtInt('%8.3d', 7); FmtInt('%d', Low(Integer)); FmtInt('%0:d', 5);
  FmtInt('%u', -1); FmtInt('%u', 7); FmtInt('%x', 255); FmtInt('%x', -1); FmtInt('%8.3x', 255);
  FmtInt('%-6x|', 171); FmtInt('%.1d', 0); FmtInt('%s', 5); FmtInt('%f', 5); FmtInt('%e', 5);
  FmtInt('%1:d', 5); FmtInt('%*d', 5); FmtInt('%%d', 5); FmtInt('%d%%', 5);
  FmtInt64('%d', Low(Int64)); FmtInt64('%d', 5000000000); FmtInt64('%x', -1);
  FmtInt64('%u', -1); FmtInt64('%.12d', 1234567);
  FmtStr('%s', 'abc'); FmtStr('%5s', 'ab'); FmtStr('%-5s|', 'ab'); FmtStr('%.2s', 'abc');
  FmtStr('%d', '5'); FmtStr('%f', '1.5'); FmtStr('%8.1s', 'xyz'); FmtStr('%s', '');
  FmtFloat('%d', '2.7'); FmtFloat('%x', '2.7'); FmtFloat('%s', '2.7');
  for V in Floats do FloatFormats(V);
end;

procedure FloatToStrCase(const V: string);
var R: string;
begin
  R := Format('%.15f', [Num(V)]);
  while (Length(R) > 0) and (R[Length(R)] = '0') do Delete(R, Length(R), 1);
  if (Length(R) > 0) and (R[Length(R)] = '.') then Delete(R, Length(R), 1);
  WriteLn('floattostr', Tab, V, Tab, R);
end;

procedure FloatToStrCases;
const Values: array[0..15] of string = ('100', '0.5', '2', '1.5', '0.1', '-0.1', '1e-16',
  '4e-16', '5e-16', '0.333333333333333333', '123456.7890123456', '1e15', '1e17', '1e20',
  '-2.5e-10', '99.9999999999999999');
var V: string;
begin
  for V in Values do FloatToStrCase(V);
end;

procedure EncodeDateCase(Y, M, D: Integer);
var R: string;
begin
  try R := IntToStr(Trunc(EncodeDate(Y, M, D))); except R := 'ERROR'; end;
  WriteLn('encodedate', Tab, Y, Tab, M, Tab, D, Tab, R);
end;

procedure EncodeTimeCase(H, M, S, MS: Integer);
var R: string;
begin
  try R := Format('%.15e', [EncodeTime(H, M, S, MS)]); except R := 'ERROR'; end;
  WriteLn('encodetime', Tab, H, Tab, M, Tab, S, Tab, MS, Tab, R);
end;

procedure DateCase(const V: string);
var Y, M, D, H, Mi, S, MS: Word; X: Double;
begin
  X := Num(V);
  DecodeDate(X, Y, M, D);
  WriteLn('decodedate', Tab, V, Tab, Y, Tab, M, Tab, D);
  DecodeTime(X, H, Mi, S, MS);
  WriteLn('decodetime', Tab, V, Tab, H, Tab, Mi, Tab, S, Tab, MS);
  WriteLn('dayofweek', Tab, V, Tab, DayOfWeek(X));
  WriteLn('datetostr', Tab, V, Tab, DateToStr(X));
  WriteLn('timetostr', Tab, V, Tab, TimeToStr(X));
end;

procedure IncMonthCase(const V: string; N: Integer);
var R: string;
begin
  try R := Format('%.6f', [IncMonth(Num(V), N)]); except R := 'ERROR'; end;
  WriteLn('incmonth', Tab, V, Tab, N, Tab, R);
end;

procedure FormatDateTimeCase(const Pattern, V: string);
begin
  WriteLn('formatdatetime', Tab, Pattern, Tab, V, Tab, FormatDateTime(Pattern, Num(V)));
end;

procedure StrToDateCase(const S: string);
var R: string;
begin
  try R := Format('%.6f', [StrToDate(S)]); except R := 'ERROR'; end;
  WriteLn('strtodate', Tab, S, Tab, R);
end;

procedure StrToTimeCase(const S: string);
var R: string;
begin
  try R := Format('%.12f', [StrToTime(S)]); except R := 'ERROR'; end;
  WriteLn('strtotime', Tab, S, Tab, R);
end;

procedure DateCases;
const
  Dates: array[0..11] of string = ('0', '1', '-1', '-1.25', '-0.25', '2', '59', '60', '61',
    '45366.75', '0.99999999999', '2958465.5');
  Patterns: array[0..17] of string = ('yyyy-mm-dd hh:nn:ss.zzz', 'd.m.yy', 'dddd, mmmm d',
    'ddd mmm', 'ddddd', 'dddddd', 'c', 't', 'tt', 'h:n:s am/pm', 'hh:nn AMPM', 'h a/p',
    '"quoted" yy ''single''', 'hh:mm', 'mm:ss', 'yyy yyyyy mmmmm', 'h:n:s:z', 'd/m/y');
var V, P: string;
begin
  EncodeDateCase(1899, 12, 30); EncodeDateCase(1900, 1, 1); EncodeDateCase(2000, 2, 29);
  EncodeDateCase(1900, 2, 29); EncodeDateCase(2024, 2, 29); EncodeDateCase(2023, 2, 29);
  EncodeDateCase(1, 1, 1); EncodeDateCase(9999, 12, 31); EncodeDateCase(0, 1, 1);
  EncodeDateCase(10000, 1, 1); EncodeDateCase(2024, 13, 1); EncodeDateCase(2024, 4, 31);
  EncodeDateCase(2024, 0, 1); EncodeDateCase(2024, 1, 0); EncodeDateCase(1600, 2, 29);
  EncodeTimeCase(0, 0, 0, 0); EncodeTimeCase(12, 0, 0, 0); EncodeTimeCase(23, 59, 59, 999);
  EncodeTimeCase(6, 30, 15, 250); EncodeTimeCase(24, 0, 0, 0); EncodeTimeCase(0, 60, 0, 0);
  EncodeTimeCase(0, 0, 60, 0); EncodeTimeCase(0, 0, 0, 1000);
  for V in Dates do DateCase(V);
  IncMonthCase('45322', 1); IncMonthCase('45322', 13); IncMonthCase('45322', -11);
  IncMonthCase('45657.5', 2); IncMonthCase('45351', 12); IncMonthCase('45351', -12);
  IncMonthCase('-1.25', 1); IncMonthCase('45366', 0); IncMonthCase('45366', -24290);
  IncMonthCase('2958465', 1);
  for P in Patterns do
  begin
    FormatDateTimeCase(P, '45366.75');
    FormatDateTimeCase(P, '45001.0421875');
  end;
  FormatDateTimeCase('c', '45366');
  FormatDateTimeCase('c', '0.5');
  StrToDateCase('15.03.2024'); StrToDateCase('1.2.2000'); StrToDateCase('29.02.2023');
  StrToDateCase('31.12.9999'); StrToDateCase('15/03/2024'); StrToDateCase('x');
  StrToDateCase(''); StrToDateCase(' 15.03.2024'); StrToDateCase('15.03.2024x');
  StrToTimeCase('12:30'); StrToTimeCase('12:30:15'); StrToTimeCase('1:2:3');
  StrToTimeCase('23:59:59'); StrToTimeCase('24:00'); StrToTimeCase('12:60');
  StrToTimeCase('x'); StrToTimeCase('1:30 PM'); StrToTimeCase('12:00 AM');
  StrToTimeCase('7'); StrToTimeCase('');
end;

procedure ValCase(const S: string);
var V: Double; Code: Integer;
begin
  Val(S, V, Code);
  if Code = 0 then
    WriteLn('val', Tab, S, Tab, Format('%.15e', [V]), Tab, Code)
  else
    WriteLn('val', Tab, S, Tab, '-', Tab, Code);
end;

procedure StrToIntCase(const S: string);
begin
  WriteLn('strtoint', Tab, S, Tab, StrToIntDef(S, 0));
end;

procedure StrToFloatCase(const S: string);
var R: string;
begin
  try R := Format('%.15e', [StrToFloat(Trim(S))]); except R := 'ERROR'; end;
  WriteLn('strtofloat', Tab, S, Tab, R);
end;

procedure NumberCases;
begin
  ValCase('1.5'); ValCase('  1.5x'); ValCase('1.5 '); ValCase(''); ValCase('1e3');
  ValCase('.5'); ValCase('5.'); ValCase('-'); ValCase('-2.25E-2'); ValCase('12,5');
  ValCase('+7'); ValCase('1e'); ValCase('abc');
  StrToIntCase('42'); StrToIntCase('-42'); StrToIntCase('$ff'); StrToIntCase('$FFFFFFFF');
  StrToIntCase(' 12'); StrToIntCase('12 '); StrToIntCase('2147483647');
  StrToIntCase('2147483648'); StrToIntCase('-2147483648'); StrToIntCase('-$10');
  StrToIntCase('1.5'); StrToIntCase(''); StrToIntCase('+5'); StrToIntCase('$100000000');
  StrToFloatCase('1.5'); StrToFloatCase(' 1.5 '); StrToFloatCase('1e3'); StrToFloatCase('-.5');
  StrToFloatCase('1,5'); StrToFloatCase(''); StrToFloatCase('abc'); StrToFloatCase('5.');
  StrToFloatCase('1.5e-3x'); StrToFloatCase('+2E+2');
end;

begin
  FixSettings;
  FormatCases;
  FloatToStrCases;
  DateCases;
  NumberCases;
end.
