# Pascal: reserved words, standard types and standard procedures; case does not matter.
Keywords0 = and array begin case const div do downto else end file for function goto if
Keywords0 = in label mod nil not of or packed procedure program record repeat set then to
Keywords0 = type until var while with unit interface implementation uses
Keywords1 = integer real boolean char string byte word longint true false
Keywords2 = writeln write readln read new dispose ord chr succ pred length
KeywordColor0 = #0000C0
KeywordColor1 = #800080
KeywordColor2 = #008080
Delimiters = pascal-comment single-quote
DelimitColor = #006000
CodeOrder = True
CaseSensitive = False
