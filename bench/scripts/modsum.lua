-- A counting loop whose statement puts the constant operation last.
local s = 0
for i = 1, 9000000 do
  s = s + i % 7
end
return s
