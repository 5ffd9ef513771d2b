-- Host function calls with 0 to 4 arguments (registered by script_bench).
local s = 0
for i = 1, 300000 do
  s = (s + bench0() + bench1(i) + bench2(s, 1) + bench3(i, 2, 3) + bench4(1, 2, 3, s)) % 1000003
end
return s
