PanScan=5
[old]
LastAccessed=01/01/1800 06:00:00
AspectRatio=1,775
BookMark1=99:59:59
BookMark2=01:75:00
LastVideoPosition=1:2
[]
[]
[x]]
LastAccessed=1/2/49 23:59
