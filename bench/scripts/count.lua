-- Counting loop with integer arithmetic.
local s = 0
for i = 1, 6000000 do
  s = (s + i * 3) % 1000003
end
return s
