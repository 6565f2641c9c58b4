[playlist]
NumberOfEntries=3
File2=b.mp3
Title2=B
File1=/abs/a.mp3
file10=file:///x/y%20z.ogg
Version=2
