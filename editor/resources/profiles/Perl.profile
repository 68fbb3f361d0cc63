# Perl: control words, declarations and built-in functions.
Keywords0 = if elsif else unless while until for foreach do last next redo return sub
Keywords0 = my our local use no require package and or not eq ne lt gt le ge cmp
Keywords1 = $_ @ARGV %ENV STDIN STDOUT STDERR __END__ __DATA__
Keywords2 = print printf open close chomp chop split join push pop shift unshift keys
Keywords2 = values each defined undef die warn exists delete sort reverse length substr
KeywordColor0 = #0000C0
KeywordColor1 = #C00000
KeywordColor2 = #008080
Delimiters = double-quote single-quote
DelimitColor = #006000
CodeOrder = True
CaseSensitive = True
