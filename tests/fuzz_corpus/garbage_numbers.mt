-5
1e9
LAYER
　１
テスト
1

1

1
下書き
0

1

1

1

1
x
x
x
x
x
x
